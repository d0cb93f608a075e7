#pragma once
// The session's games as the two files analysers read, side by side under one name: the ".mat"
// match file most of them import, and GNU Backgammon's ".sgf", which also holds the rules played
// (the cube, Crawford, Jacoby) and the games taken up from a set-up position.
#include <QString>
#include <string>

#include "game/MatchRecord.h"
#include "persistence/MatFile.h"

namespace lumaro {

struct RecordPaths {
    QString mat;
    QString sgf;
};

// The pair for a name the player chose: "X.mat" and "X.sgf" whether the name ends in ".mat" or in
// ".sgf"; any other name is the match file, with ".sgf" added for the other.
RecordPaths recordPathsOf(const QString& chosen);

// Writes both files, each whole or not at all; false when one failed, with the file that failed and
// the system's reason ("FILE: reason") in `whyNot`.
bool writeRecordFiles(const RecordPaths& paths, const MatchRecord& record, const MatHeader& header,
                      std::string* whyNot = nullptr);

}  // namespace lumaro

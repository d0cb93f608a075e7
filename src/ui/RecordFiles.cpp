#include "ui/RecordFiles.h"

#include "persistence/SgfFile.h"
#include "ui/ProgramFolders.h"

namespace lumaro {

RecordPaths recordPathsOf(const QString& chosen) {
    const auto endsIn = [&chosen](const char* suffix) { return chosen.endsWith(QLatin1String(suffix), Qt::CaseInsensitive); };
    if (endsIn(".sgf")) return {chosen.chopped(4) + QStringLiteral(".mat"), chosen};
    if (endsIn(".mat")) return {chosen, chosen.chopped(4) + QStringLiteral(".sgf")};
    return {chosen, chosen + QStringLiteral(".sgf")};
}

bool writeRecordFiles(const RecordPaths& paths, const MatchRecord& record, const MatHeader& header, std::string* whyNot) {
    std::string matWhyNot, sgfWhyNot;
    const bool mat = writeMatFile(nativePath(paths.mat), record, header, &matWhyNot);
    const bool sgf = writeSgfFile(nativePath(paths.sgf), record, header, &sgfWhyNot);
    if (whyNot && !mat) *whyNot = paths.mat.toStdString() + ": " + matWhyNot;
    if (whyNot && mat && !sgf) *whyNot = paths.sgf.toStdString() + ": " + sgfWhyNot;
    return mat && sgf;
}

}  // namespace lumaro

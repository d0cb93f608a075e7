#pragma once
// Where the program finds its own files and where it keeps the player's.
//
// From the build folder everything sits beside the program, as it always has: the weights, the help
// pages, assets/, and the files the game writes (lm2.ini, chat.txt, the saved games' dialogs).
// Installed (the program in PREFIX/bin, its files in PREFIX/share/lumaro2) or run from a folder the
// player may not write to, the game's own files are read from where they were installed and the
// player's files go to the player's own folders, so no setting or score is ever silently lost.
#include <QDateTime>
#include <QString>
#include <string>

namespace lumaro {

struct ProgramFolders {
    QString data;       // read-only: nn1.bin, nn2.bin, the help pages
    QString assets;     // read-only: the generated pictures and sounds
    QString settings;   // lm2.ini
    QString userData;   // chat.txt and the recorded games
    QString documents;  // where the saved games' dialogs start

    QString settingsPath() const { return settings + QStringLiteral("/lm2.ini"); }
    QString chatLogPath() const { return userData + QStringLiteral("/chat.txt"); }
    // The unfinished game EXIT keeps for the next start, when the player wants it kept.
    QString keptGamePath() const { return userData + QStringLiteral("/kept-game.lm2"); }
    // One match file per session of play goes here.
    QString recordsFolder() const { return userData + QStringLiteral("/games"); }
    // The match file of a session of play that started at `start`: games/session-YYYYMMDD-HHMMSS.mat.
    QString sessionRecordPath(const QDateTime& start) const;

    // Everything in one folder (the build folder, or a test's folder), the pictures in its assets/.
    static ProgramFolders beside(const QString& folder);
    // The player's files in the user's folders (QStandardPaths), the read-only ones in `data` and
    // its assets/.
    static ProgramFolders inUserFolders(const QString& data);
    // Decides for the program in `programFolder`: beside it when its files are there and the folder
    // can be written, else the installed files and the user's folders.
    static ProgramFolders forProgram(const QString& programFolder);
    // The same decision with the folder's writability given (tests, where root writes anywhere).
    static ProgramFolders forProgram(const QString& programFolder, bool programFolderWritable);
    // For the running program, wherever it was started from. A folder whose name Qt cannot spell
    // (bytes that are not UTF-8) is reached through its descriptor; a program whose folder cannot
    // be found at all keeps the player's files in the user's folders.
    static ProgramFolders current();

    // Creates the folders the player's files go to; false when one cannot be made.
    bool makeUserFolders() const;
};

// A path as the file system spells it, for the game's own file code.
std::string nativePath(const QString& path);

// The running program's folder as the file system spells it, any byte included ("" when unknown).
std::string programFolderBytes();

// `folderBytes` as a path Qt can use: its name when it spells the same bytes back, else the name the
// kernel gives the folder opened for good (/proc/self/fd/N); empty when neither works.
QString reachableFolder(const std::string& folderBytes);

// Whether a file can really be created in `folder` (a probe file is made and removed again).
bool folderIsWritable(const QString& folder);

// The read-only files of an installed program in `programFolder` (PREFIX/bin): PREFIX/share/lumaro2.
QString installedDataFolder(const QString& programFolder);

}  // namespace lumaro

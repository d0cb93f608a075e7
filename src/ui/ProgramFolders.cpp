#include "ui/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace lumaro {
namespace {

// The folder's name under the user's configuration and data folders.
const QString kUserFolderName = QStringLiteral("lumaro2");

QString standardFolder(QStandardPaths::StandardLocation location) {
    const QString path = QStandardPaths::writableLocation(location);
    return path.isEmpty() ? QDir::homePath() : path;
}

// The build folder holds the weights beside the program; an installed bin folder does not.
bool filesBesideProgram(const QString& programFolder) {
    return QFile::exists(programFolder + QStringLiteral("/nn1.bin")) ||
           QDir(programFolder + QStringLiteral("/assets")).exists() ||
           !QDir(installedDataFolder(programFolder)).exists();
}

}  // namespace

ProgramFolders ProgramFolders::beside(const QString& folder) {
    return {folder, folder + QStringLiteral("/assets"), folder, folder, folder};
}

ProgramFolders ProgramFolders::inUserFolders(const QString& data) {
    ProgramFolders f;
    f.data = data;
    f.assets = data + QStringLiteral("/assets");
    f.settings = standardFolder(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + kUserFolderName;
    f.userData = standardFolder(QStandardPaths::GenericDataLocation) + QLatin1Char('/') + kUserFolderName;
    f.documents = standardFolder(QStandardPaths::DocumentsLocation);
    return f;
}

ProgramFolders ProgramFolders::forProgram(const QString& programFolder, bool programFolderWritable) {
    // An empty folder would put lm2.ini and games/ at the root of the file system.
    if (programFolder.isEmpty()) return inUserFolders(QStringLiteral(LUMARO_INSTALLED_DATA));
    if (!filesBesideProgram(programFolder)) return inUserFolders(installedDataFolder(programFolder));
    if (programFolderWritable) return beside(programFolder);
    return inUserFolders(programFolder);
}

ProgramFolders ProgramFolders::forProgram(const QString& programFolder) {
    return forProgram(programFolder, folderIsWritable(programFolder));
}

ProgramFolders ProgramFolders::current() {
    const std::string bytes = programFolderBytes();
    const QString folder = reachableFolder(bytes);
    ProgramFolders f = forProgram(folder);
    // The file dialogs show the folder's real name, which Qt cannot spell: for a folder reached
    // through its descriptor they open in the user's documents instead.
    if (!folder.isEmpty() && QFile::encodeName(folder).toStdString() != bytes && f.documents == folder)
        f.documents = standardFolder(QStandardPaths::DocumentsLocation);
    return f;
}

std::string nativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

std::string programFolderBytes() {
    // The link the kernel keeps to the program file holds its path byte for byte; Qt's own
    // applicationDirPath() gives up on a name that is not UTF-8.
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && program.has_parent_path()) return program.parent_path().native();
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

QString reachableFolder(const std::string& folderBytes) {
    if (folderBytes.empty()) return {};
    const QByteArray bytes = QByteArray::fromStdString(folderBytes);
    const QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) == bytes) return name;
    // The kernel names an open folder by its descriptor, in plain ASCII, for as long as the program
    // runs: Qt reaches every file in it through that name, absolute paths included.
    const int folder = ::open(folderBytes.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return {};
    return QStringLiteral("/proc/self/fd/%1").arg(folder);
}

QString ProgramFolders::sessionRecordPath(const QDateTime& start) const {
    return recordsFolder() + QStringLiteral("/session-") + start.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
           QStringLiteral(".mat");
}

bool ProgramFolders::makeUserFolders() const {
    bool ok = true;
    for (const QString& folder : {settings, userData, recordsFolder(), documents}) ok = QDir().mkpath(folder) && ok;
    return ok;
}

bool folderIsWritable(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.lumaro-probe-XXXXXX"));
    return probe.open();  // removed again when it goes out of scope
}

QString installedDataFolder(const QString& programFolder) {
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/lumaro2"));
}

}  // namespace lumaro

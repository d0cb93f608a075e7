// Lumaro 2: backgammon against the computer, a friend at the same machine, or over the network.
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>

#include "ai/BearoffDatabase.h"
#include "ui/ProgramFolders.h"
#include "ui/Shell.h"
#include "ui/SingleInstance.h"

namespace {

constexpr const char* kUsage = "usage: lumaro [--help | --version | SAVED-GAME]\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window, display or running copy is touched: a mistyped option says so and
    // starts nothing.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QFile::decodeName(argv[i]);
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("SAVED-GAME"), QString());
    const bool understood = parser.parse(arguments);
    if (parser.isSet(version)) {
        std::printf("lumaro %s\n", LUMARO_VERSION);
        return 0;
    }
    if (parser.isSet(help)) {
        std::printf("%s"
                    "Lumaro 2, backgammon against the computer, a friend at this machine or over the network.\n"
                    "The game starts full screen; the help pages are under HELP in its menu (Esc).\n"
                    "SAVED-GAME: a game written by SAVE, to play on from (in the running game if one runs).\n",
                    kUsage);
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (!understood || files.size() > 1) {
        const QString why = understood ? QStringLiteral("unexpected argument '%1'").arg(files.at(1)) : parser.errorText();
        std::fprintf(stderr, "lumaro: %s\n%s", qPrintable(why), kUsage);
        return 2;
    }
    // A file that is there is opened as a saved game (LOAD's refusal says why when it is none); a
    // name that is no file at all is a mistyped command line.
    QString savedGame;
    if (!files.isEmpty()) {
        const QFileInfo file(files.first());
        if (!file.isFile()) {
            std::fprintf(stderr, "lumaro: no such file '%s'\n%s", QFile::encodeName(files.first()).constData(), kUsage);
            return 2;
        }
        savedGame = file.absoluteFilePath();
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumaro 2"));
    // The windows belong to the menu entry lumaro2.desktop: docks show one icon for the game.
    QGuiApplication::setDesktopFileName(QStringLiteral("lumaro2"));
    const lumaro::ProgramFolders folders = lumaro::ProgramFolders::current();
    // The bear-off table the build wrote beside the weights, read at the first race that needs it.
    lumaro::BearoffDatabase::useFile(lumaro::nativePath(folders.data + QStringLiteral("/bearoff.bin")));
    // The desktop's icon when installed, else the one drawn into the assets.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("lumaro2"), QIcon(folders.assets + QStringLiteral("/icon-256.png"))));
    // A second copy for the same player's files brings the first to the front, hands it the saved
    // game it was started with, and leaves.
    lumaro::SingleInstance single(folders.settings);
    if (!single.claim(savedGame)) return 0;
    lumaro::Shell shell(folders);
    QObject::connect(&single, &lumaro::SingleInstance::anotherCopyStarted, &shell, [&shell](const QString& file) {
        shell.bringToFront();
        if (!file.isEmpty()) shell.openSavedGame(file);
    });
    if (!savedGame.isEmpty()) shell.openSavedGame(savedGame);
    if (!shell.start()) return 1;
    return app.exec();
}

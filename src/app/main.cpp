// Lumaro 2: backgammon against the computer, a friend at the same machine, or over the network.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>

#include "ui/Shell.h"
#include "ui/SingleInstance.h"

int main(int argc, char** argv) {
    // Answered before any window or display is touched.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("lumaro %s\n", LUMARO_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("usage: lumaro [--help | --version]\n"
                        "Lumaro 2, backgammon against the computer, a friend at this machine or over the network.\n"
                        "The game starts full screen; the help pages are under HELP in its menu (Esc).\n");
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumaro 2"));
    // The windows belong to the menu entry lumaro2.desktop: docks show one icon for the game.
    QGuiApplication::setDesktopFileName(QStringLiteral("lumaro2"));
    const lumaro::ProgramFolders folders = lumaro::ProgramFolders::current();
    // The desktop's icon when installed, else the one drawn into the assets.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("lumaro2"), QIcon(folders.assets + QStringLiteral("/icon-256.png"))));
    // A second copy for the same player's files brings the first to the front and leaves.
    lumaro::SingleInstance single(folders.settings);
    if (!single.claim()) return 0;
    lumaro::Shell shell(folders);
    QObject::connect(&single, &lumaro::SingleInstance::anotherCopyStarted, &shell, &lumaro::Shell::bringToFront);
    if (!shell.start()) return 1;
    return app.exec();
}

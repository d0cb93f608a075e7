// Lumaro 2: backgammon against the computer, a friend at the same machine, or over the network.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>

#include "ui/Shell.h"
#include "ui/SingleInstance.h"

namespace {

constexpr const char* kUsage = "usage: lumaro [--help | --version]\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window, display or running copy is touched: a mistyped option says so and
    // starts nothing.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("lumaro %s\n", LUMARO_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("%s"
                        "Lumaro 2, backgammon against the computer, a friend at this machine or over the network.\n"
                        "The game starts full screen; the help pages are under HELP in its menu (Esc).\n",
                        kUsage);
            return 0;
        }
    }
    if (argc > 1) {
        const char* what = argv[1][0] == '-' ? "unknown option" : "unexpected argument";
        std::fprintf(stderr, "lumaro: %s '%s'\n%s", what, argv[1], kUsage);
        return 2;
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

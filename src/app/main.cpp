// Lumaro 2: backgammon against the computer, a friend at the same machine, or over the network.
#include <QApplication>
#include <QIcon>

#include "ui/Shell.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumaro 2"));
    const lumaro::ProgramFolders folders = lumaro::ProgramFolders::current();
    // The desktop's icon when installed, else the one drawn into the assets.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("lumaro2"), QIcon(folders.assets + QStringLiteral("/icon-256.png"))));
    lumaro::Shell shell(folders);
    if (!shell.start()) return 1;
    return app.exec();
}

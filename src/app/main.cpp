// Lumaro 2: backgammon against the computer, a friend at the same machine, or over the network.
#include <QApplication>

#include "ui/Shell.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumaro 2"));
    lumaro::Shell shell(lumaro::ProgramFolders::current());
    if (!shell.start()) return 1;
    return app.exec();
}

// Lumaro 2: backgammon against the computer, a friend at the same machine, or over the network.
#include <QApplication>
#include <QDateTime>

#include "game/Game.h"
#include "persistence/SettingsFile.h"
#include "ui/BoardWindow.h"
#include "ui/QtScreen.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumaro 2"));

    lumaro::BoardWindow window;
    lumaro::QtScreen screen(&window);
    lumaro::Game game(screen);

    const std::string settingsPath = (QCoreApplication::applicationDirPath() + QStringLiteral("/lm2.ini")).toStdString();
    lumaro::loadSettings(settingsPath, game.options, game.scores);

    const QTime utc = QDateTime::currentDateTimeUtc().time();
    game.startUp(lumaro::millisecondsSinceMidnight(utc.hour(), utc.minute(), utc.second(), utc.msec()));
    game.board.setView(&window);
    window.setPointLabels(game.board.screenToPoint);
    window.show();
    game.tablanoua();

    const int result = app.exec();
    screen.setClosing();
    return result;
}

#pragma once
// The board window and its game as the program sets them up, for the window tests: sounds off,
// checkers placed at once, no first game by itself.
#include <QTest>
#include <QTimer>
#include <functional>

#include "persistence/SavedGameFile.h"
#include "support/TurnSetup.h"
#include "ui/Assets.h"
#include "ui/BoardWindow.h"
#include "ui/QtScreen.h"
#include "ui/SoundBank.h"

namespace lumaro::testing {

struct BoardTable {
    Assets assets = Assets::load(defaultAssetsFolder());
    SoundBank sounds{assets.folder};
    // Stands in for the window's screen until the window exists.
    struct Placeholder : Screen {
        Answer showMessage(const Message&) override { return Answer::Yes; }
        void delay(int) override {}
        void play(Sound) override {}
    } placeholder;
    Game game{placeholder};
    SavedGameDisk disk;
    BoardWindow window{game, assets};
    QtScreen screen{window, sounds};
    qint64 clockMs = 0;

    explicit BoardTable(bool clock = true) {
        game.changeOptions([&](Options& o) { o.soundFx = false; });
        game.changeOptions([&](Options& o) { o.checkerSpeed = 10000; });
        game.startUp(1234);
        game.setScreen(screen);
        game.setSavedGameFiles(disk);
        window.startupPending = false;
        // Every reading of the clock lies a second after the last: no click falls in the moment
        // after a box closes unless a test sets a clock of its own.
        window.monotonicMs = [this] { return clockMs += 1000; };
        window.show();
        if (clock) window.startClock();
    }
    // `pos` with White to play (a, b).
    void startTurn(const Position& pos, Byte a, Byte b) { startTurnOn(game, pos, a, b, 1); }
    // Runs `check` while the next message is up, then closes it with a click.
    void whileMessageShows(const std::function<void(const MessagePanel&)>& check) {
        QTimer::singleShot(150, &window, [this, check] {
            MessagePanel& panel = window.messagePanel();
            check(panel);
            QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(20, 100));
        });
    }
};

}  // namespace lumaro::testing

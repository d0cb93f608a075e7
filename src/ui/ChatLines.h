#pragma once
// The two chat fields at the bottom edge of the board: on the left the last line received, on the
// right the line being typed. An arriving line or the C key shows them; "Autohide chat lines"
// hides them again after about ten seconds without chat.
#include <QLineEdit>
#include <QObject>
#include <functional>

#include "game/Game.h"
#include "net/RemoteProgram.h"

namespace lumaro {

class ChatLines : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxTyped = 50;

    // Both fields become children of `board`; `playSound` plays the board's recordings.
    ChatLines(QWidget* board, Game& game, net::RemoteProgram& remote, std::function<void(Sound)> playSound);

    // A line from the peer (already cleaned of control characters).
    void lineReceived(const QString& text);
    // The C key (when "Chat lines - C key" is on).
    void open();
    // Every board clock tick.
    void autohideTick();

    QLineEdit& receivedLine() { return *received_; }
    QLineEdit& typingLine() { return *typing_; }
    bool shown() const { return typing_->isVisible(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBoth(int grey);
    void sendTyped();

    QWidget* board_;
    Game& game_;
    net::RemoteProgram& remote_;
    std::function<void(Sound)> playSound_;
    QLineEdit* received_;
    QLineEdit* typing_;
    quint16 chatIdleTicks_ = 0;
};

}  // namespace lumaro

#include "ui/ChatLines.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "ui/BoardFrame.h"

namespace lumaro {
namespace {

constexpr int kFieldWidth = 323, kFieldHeight = 15;

QLineEdit* makeField(QWidget* board, int x, bool readOnly) {
    auto* field = new QLineEdit(board);
    field->setGeometry(x, 600 - kFieldHeight, kFieldWidth, kFieldHeight);
    field->setReadOnly(readOnly);
    field->setFrame(false);
    field->setMaxLength(255);
    field->setStyleSheet(QStringLiteral("QLineEdit { font-size: 11px; padding: 0px; }"));
    field->hide();
    return field;
}

}  // namespace

ChatLines::ChatLines(QWidget* board, Game& game, net::RemoteProgram& remote, std::function<void(Sound)> playSound)
    : QObject(board), board_(board), game_(game), remote_(remote), playSound_(std::move(playSound)) {
    received_ = makeField(board, 42, true);
    received_->setFocusPolicy(Qt::NoFocus);
    typing_ = makeField(board, 435, false);
    typing_->installEventFilter(this);
    connect(typing_, &QLineEdit::textEdited, this, [this] { chatIdleTicks_ = 0; });
}

void ChatLines::showBoth(int grey) {
    received_->setStyleSheet(QStringLiteral("QLineEdit { font-size: 11px; padding: 0px; background: rgb(%1,%1,%1); }").arg(grey));
    received_->show();
    typing_->show();
    typing_->setFocus();
}

void ChatLines::lineReceived(const QString& text) {
    received_->setText(text);
    received_->setCursorPosition(0);  // a line longer than the field shows its beginning
    chatIdleTicks_ = 0;
    playSound_(Sound::ChatIn);  // the chat sounds play whatever the FX option says
    // While a settings, statistics or help window covers the board, the line only waits here.
    if (!board_->isEnabled()) return;
    showBoth(240);
    QCoreApplication::processEvents();
    raiseBoardWindow(*board_);
    QCoreApplication::processEvents();
}

void ChatLines::open() {
    showBoth(208);
    chatIdleTicks_ = 0;
}

void ChatLines::autohideTick() {
    chatIdleTicks_ = chatIdleTicks_ < 65000 ? static_cast<quint16>(chatIdleTicks_ + 1) : 0;
    if (chatIdleTicks_ % 100 == 99 && game_.options().autohideChat) {
        received_->hide();
        typing_->hide();
        board_->setFocus();
    }
}

void ChatLines::sendTyped() {
    const QString line = typing_->text();
    if (line.isEmpty()) return;
    const QByteArray bytes = line.toLatin1();
    if (remote_.sendChat(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        playSound_(Sound::ChatOut);
    typing_->clear();
}

bool ChatLines::eventFilter(QObject* watched, QEvent* event) {
    if (watched != typing_) return false;
    if (event->type() == QEvent::KeyPress) {
        chatIdleTicks_ = 0;
        // Keys typed here are chat, not the board's commands.
        return false;
    }
    if (event->type() != QEvent::KeyRelease) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    chatIdleTicks_ = 0;
    if (!remote_.connected() || remote_.responseWaitOn()) {
        if (game_.options().soundFx) playSound_(Sound::NoMove);
        typing_->clear();
        return false;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter && typing_->text().size() > kMaxTyped) {
        if (game_.options().soundFx) playSound_(Sound::NoMove);
        sendTyped();  // the long line goes whole, as if Enter had been pressed
        return false;
    }
    if (enter) sendTyped();
    return false;
}

}  // namespace lumaro

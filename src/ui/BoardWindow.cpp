#include "ui/BoardWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "ui/BoardPlaces.h"
#include "ui/Pictures.h"

namespace lumaro {
namespace {

constexpr int kDiceY = 285;
constexpr int kWhiteDiceX[2] = {550, 603};
constexpr int kBlackDiceX[2] = {169, 222};
constexpr int kCubeX = 375;

// A bar dot sits between the point's number and its checkers, never over the number.
QPoint barDotCentre(int s) { return {places::pointX(s) + 26, s <= 12 ? 31 : 569}; }

// The top edge of the cube: centred, or at its holder's side.
int cubeTop(const Cube& cube) { return cube.value() <= 1 ? 275 : (cube.ownerWhite() ? 425 : 125); }

}  // namespace

BoardWindow::BoardWindow(Game& game, const Assets& assets)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      game_(game),
      assets_(assets),
      scene_(game.options().homeRight) {
    scene_.setView(this);
    setFixedSize(kWidth, kHeight);
    setWindowTitle(QStringLiteral("LM2"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    message_ = new MessagePanel(assets, this);
    message_->clock = [this] { return monotonicMs(); };
    hintPlate_ = new HintPlate(this);
    connect(message_, &MessagePanel::holdClock, this, [this](bool held) {
        if (held)
            clock_.stop();
        else
            clock_.start();
    });
    // The manual dice: each enters its digit, as typing it does.
    for (int d = 1; d <= 6; ++d) {
        auto* button = new QPushButton(QString::number(d), this);
        button->setGeometry(766, 150 + (d - 1) * 34, 28, 28);
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(QStringLiteral("QPushButton { background: #3a2a1a; color: #f0e0c0; border: 1px solid #a08050;"
                                             " border-radius: 5px; font-weight: bold; }"
                                             "QPushButton:hover { background: #5a4028; }"));
        connect(button, &QPushButton::clicked, this, [this, d] {
            if (!game_.hourglass()) game_.typeDiceKey(static_cast<Byte>('0' + d));
        });
        diceButtons_[d - 1] = button;
    }
    clock_.setInterval(107);
    connect(&clock_, &QTimer::timeout, this, &BoardWindow::onClockTick);
    sinceCreated_.start();
    monotonicMs = [this] { return sinceCreated_.elapsed(); };
    qApp->installEventFilter(this);
    applyDisplayOptions();
}

void BoardWindow::boxClosed() { lateClicks_.boxClosed(monotonicMs()); }

void BoardWindow::changeEvent(QEvent* event) {
    // A tool window gives the board back by enabling it again.
    if (event->type() == QEvent::EnabledChange && isEnabled()) boxClosed();
    QWidget::changeEvent(event);
}

void BoardWindow::startClock() {
    game_.slideStarted();
    clock_.start();
}

void BoardWindow::applyDisplayOptions() {
    for (QPushButton* b : diceButtons_) b->setVisible(!game_.options().automaticDice);
    if (!game_.options().showBarDots) dots_ = {};
    update();
}

void BoardWindow::gameStarted() { gameStart_ = QDateTime::currentMSecsSinceEpoch() / 1000.0; }

void BoardWindow::delay(int ms) {
    if (ms <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void BoardWindow::letEventsRun() { QCoreApplication::processEvents(); }

QImage BoardWindow::boardPiece(int x, int y, int size) const { return boardPicture().copy(x, y, size, size); }

QImage BoardWindow::drawnAt(int x, int y) const {
    const QRect area(x, y, kCheckerSize, kCheckerSize);
    QImage piece = boardPiece(x, y).convertToFormat(QImage::Format_RGB32);
    QPainter p(&piece);
    for (const CheckerImage* c : checkersInDrawingOrder(area)) p.drawImage(c->x - x, c->y - y, c->picture);
    return piece;
}

std::vector<const BoardWindow::CheckerImage*> BoardWindow::checkersInDrawingOrder(const QRect& area) const {
    std::vector<const CheckerImage*> shown;
    for (const auto& colour : checkers_)
        for (int i = 1; i <= 15; ++i)
            if (colour[i].visible && area.intersects(QRect(colour[i].x, colour[i].y, kCheckerSize, kCheckerSize)))
                shown.push_back(&colour[i]);
    std::sort(shown.begin(), shown.end(), [](const CheckerImage* a, const CheckerImage* b) { return a->z < b->z; });
    return shown;
}

const QImage& BoardWindow::checkerPicture(int colour) const {
    const int scheme = std::clamp<int>(game_.options().checkerColours, 1, 3);
    return assets_.checker[colour == kWhite ? 1 : 0][scheme];
}

void BoardWindow::checkerAppeared(int colour, int image, int s, int x, int y, bool animated) {
    if (colour < 0 || colour > 1 || image < 1 || image > 15) return;
    CheckerImage& c = checkers_[colour][image];
    // Composed over what is drawn there already, the checkers below included: the shadow and
    // the edge of a checker high in a stack fall on the checkers it covers, not on the board.
    c.visible = false;
    const QImage under = drawnAt(x, y);
    c.background = under;
    c.x = x;
    c.y = y;
    c.s = s;
    c.visible = true;
    c.z = ++nextZ_;
    if (animated) {
        c.picture = appearFrame(under, checkerPicture(colour), assets_.shading);
        repaint(QRect(x, y, kCheckerSize, kCheckerSize));
        delay(10);
    }
    c.picture = composeChecker(under, checkerPicture(colour), assets_.shading);
    update(QRect(x, y, kCheckerSize, kCheckerSize));
    recomposeDiceOver(QRect(x, y, kCheckerSize, kCheckerSize));
    if (animated) delay(2);
}

void BoardWindow::checkerFaded(int colour, int image, int, bool animated) {
    if (colour < 0 || colour > 1 || image < 1 || image > 15) return;
    CheckerImage& c = checkers_[colour][image];
    if (animated && c.visible) {
        c.picture = fadeFrame(c.picture, c.background.isNull() ? boardPiece(c.x, c.y) : c.background);
        repaint(QRect(c.x, c.y, kCheckerSize, kCheckerSize));
        delay(10);
    }
    c.visible = false;
    update(QRect(c.x, c.y, kCheckerSize, kCheckerSize));
    recomposeDiceOver(QRect(c.x, c.y, kCheckerSize, kCheckerSize));
}

void BoardWindow::orientationChanged() {
    recomposeDiceOver(rect());  // the board under the dice may be the other skin's now
    update();
}

void BoardWindow::checkerFlying(int, int fromX, int fromY, int toX, int toY) {
    const int speed = std::max<int>(1, game_.options().checkerSpeed);
    int x = fromX, y = fromY;
    int step = 0;
    while (x != toX || y != toY) {
        x += (toX > x) - (toX < x);
        y += (toY > y) - (toY < y);
        if (++step % speed == 0) {
            const QRect old(sprite_, QSize(5, 5));
            sprite_ = QPoint(x + 23, y + 23);
            spriteVisible_ = true;
            repaint(old.united(QRect(sprite_, QSize(5, 5))));
            delay(3);  // a short pause per redraw, so the flight is seen on a fast machine
        }
    }
    spriteVisible_ = false;
    update(QRect(sprite_, QSize(5, 5)));
}

void BoardWindow::composeDieSlot(DieSlot& slot) {
    slot.picture = composeDie(drawnAt(slot.x, kDiceY), assets_.die[std::clamp(slot.value, 0, 6)], assets_.dieMask);
    for (int k = 0; k < slot.darkened; ++k) slot.picture = darkenDie(slot.picture);
}

void BoardWindow::showDie(int k, int x, int value) {
    DieSlot& slot = dice_[k];
    slot.x = x;
    slot.value = std::clamp(value, 0, 6);
    slot.darkened = 0;
    slot.visible = true;
    composeDieSlot(slot);
}

void BoardWindow::recomposeDiceOver(const QRect& area) {
    for (DieSlot& slot : dice_) {
        const QRect place(slot.x, kDiceY, kDieSize, kDieSize);
        if (!slot.visible || !place.intersects(area)) continue;
        composeDieSlot(slot);
        update(place);
    }
}

bool BoardWindow::overVisibleDie(const QPoint& p) const {
    for (const DieSlot& slot : dice_)
        if (slot.visible && QRect(slot.x, kDiceY, kDieSize, kDieSize).contains(p)) return true;
    return false;
}

void BoardWindow::showPlate(PlateContent content, std::vector<std::pair<int, int>> playedMarks,
                            std::vector<std::pair<int, int>> bestMarks, Side marksSide) {
    marksSide_ = marksSide;
    playedMarks_ = std::move(playedMarks);
    hintMarks_ = std::move(bestMarks);
    plateOnQuestion_ = message_->isVisible();
    hintPlate_->show(std::move(content));
    update();
}

void BoardWindow::messageClosed() {
    if (plateOnQuestion_) hideHint();
}

void BoardWindow::showMoment(const Moment& moment) {
    moment_ = moment;
    momentCounters_ = boardCounters(moment.position, whitePipCount(moment.position), blackPipCount(moment.position), true, true);
    const int* xs = moment.diceSide == Side::White ? kWhiteDiceX : kBlackDiceX;
    const int values[2] = {moment.dieA, moment.dieB};
    for (int k = 0; k < 2; ++k) {
        DieSlot& slot = momentDice_[static_cast<std::size_t>(k)];
        slot = DieSlot{};
        slot.x = xs[k];
        slot.value = std::clamp(values[k], 0, 6);
        slot.visible = slot.value != 0;
        if (slot.visible) composeDieSlot(slot);
    }
    update();
}

void BoardWindow::endMoment() {
    moment_.reset();
    update();
}

const Cube& BoardWindow::cubeShown() const { return moment_ ? moment_->cube : game_.state().cube(); }

void BoardWindow::hideHint() {
    if (reviewing || (!hintPlate_->isVisible() && hintMarks_.empty() && playedMarks_.empty())) return;
    plateOnQuestion_ = false;
    hintPlate_->hide();
    hintMarks_.clear();
    playedMarks_.clear();
    update();
}

void BoardWindow::showDice(Side side, int dieA, int dieB) {
    hideHint();  // a new roll: the hint was for another one
    const int* xs = side == Side::White ? kWhiteDiceX : kBlackDiceX;
    showDie(0, xs[0], dieA);
    showDie(1, xs[1], dieB);
    update();
    refreshBarDots();  // the dots follow the dice
    letEventsRun();
}

void BoardWindow::showOpeningDice(int blackDie, int whiteDie) {
    showDie(0, kBlackDiceX[0], blackDie);
    showDie(1, kWhiteDiceX[1], whiteDie);
    update();
}

void BoardWindow::clearDice() {
    dice_[0].visible = dice_[1].visible = false;
    update();
    refreshBarDots();
}

void BoardWindow::dieUsed(int die) {
    const Dice& d = game_.state().dice();
    int slot;
    if (d.dieA == d.dieB) {
        int played = 0;
        for (int k = 1; k <= 4; ++k) played += d.diceLeft[k] == 0;
        slot = played <= 2 ? 0 : 1;
    } else {
        slot = d.dieA == die ? 0 : 1;
    }
    if (dice_[slot].visible) {
        dice_[slot].darkened += 1;
        dice_[slot].picture = darkenDie(dice_[slot].picture);
    }
    update(QRect(dice_[slot].x, kDiceY, kDieSize, kDieSize));
}

void BoardWindow::drawCube() { update(QRect(kCubeX - 5, 100, 61, 400)); }

void BoardWindow::setWaitCursor(bool waiting) {
    if (waiting)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void BoardWindow::refreshBarDots() { showBarDots(dotsUnderMouse()); }

BarDots BoardWindow::dotsUnderMouse() {
    // While White has checkers on the bar, its entry points stay marked wherever the mouse is.
    if (game_.state().position().barWhite > 0) return barDotsForBar(game_);
    if (overVisibleDie(mouse_)) return {};
    int colour = 0, image = 0;
    if (checkerAt(mouse_, &colour, &image) && colour == kBlack) return {};
    const int p = scene_.pointAt(places::hitTest(mouse_.x(), mouse_.y()));
    return p ? barDotsForPoint(game_, p) : BarDots{};
}

void BoardWindow::showBarDots(const BarDots& dots) {
    if (dots == dots_) return;
    dots_ = dots;
    update();
}

BoardWindow::CheckerImage* BoardWindow::checkerAt(const QPoint& p, int* colour, int* image) {
    CheckerImage* best = nullptr;
    for (int c = 0; c <= 1; ++c) {
        for (int i = 1; i <= 15; ++i) {
            CheckerImage& img = checkers_[c][i];
            if (!img.visible || !QRect(img.x, img.y, kCheckerSize, kCheckerSize).contains(p)) continue;
            if (!best || img.z > best->z) {
                best = &img;
                *colour = c;
                *image = i;
            }
        }
    }
    return best;
}

void BoardWindow::mousePressEvent(QMouseEvent* event) {
    if (message_->isVisible()) lateClicks_.pressedUnderBox();
    if (!message_->isVisible()) hideHint();
    if (lateClicks_.refuses(monotonicMs())) return;
    const QPoint p = event->position().toPoint();
    const Game::Button button = event->button() == Qt::LeftButton ? Game::Button::Left : Game::Button::Right;
    if (!game_.hourglass()) emit boardClicked();
    if (QRect(kCubeX, cubeTop(game_.state().cube()), 51, 51).contains(p)) {
        game_.clickCube();  // a click on the cube offers a double
        return;
    }
    // A die lies over the points and the checkers under it: a click on it ends the turn.
    if (overVisibleDie(p)) {
        game_.clickDice();
        return;
    }
    int colour = 0, image = 0;
    if (checkerAt(p, &colour, &image)) {
        const Side side = colour == kWhite ? Side::White : Side::Black;
        game_.clickChecker(side, scene_.pointOfImage(side, image), button);
    } else {
        game_.clickBoard(scene_.pointAt(places::hitTest(p.x(), p.y())), button);
    }
}

void BoardWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) lateClicks_.allButtonsUp();
}

void BoardWindow::mouseMoveEvent(QMouseEvent* event) {
    mouse_ = event->position().toPoint();
    if (mouse_.x() <= 30) {
        if (!game_.busy()) emit menuRequested(false);
        return;
    }
    emit boardEntered();
    if (game_.busy()) return;
    refreshBarDots();
}

void BoardWindow::leaveEvent(QEvent*) {
    mouse_ = {-1, -1};
    if (!game_.busy()) refreshBarDots();
}

bool BoardWindow::eventFilter(QObject* watched, QEvent* event) {
    // The box's keyboard, whichever widget of the board has the focus (the chat line may): Enter
    // is YES, Esc is NO (a notice just closes). A key held down since the last box, or one that
    // comes as the box opens (Enter twice on the box before), does not answer it.
    if (event->type() != QEvent::KeyPress || !message_->waiting()) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter && key->key() != Qt::Key_Escape) return false;
    if (!key->isAutoRepeat() && !message_->justOpened()) {
        if (enter)
            message_->pressYes();
        else
            message_->dismiss();
    }
    return true;
}

void BoardWindow::keyPressEvent(QKeyEvent* event) {
    if (reviewing) {
        // A review holds the board: it steps, or it ends.
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Up) emit reviewStepped(-1);
        if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Down) emit reviewStepped(1);
        if ((event->key() == Qt::Key_R || event->key() == Qt::Key_Escape) && !event->isAutoRepeat()) emit reviewRequested();
        if (event->key() == Qt::Key_C && !event->isAutoRepeat()) emit reviewSideSwitched();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        QCursor::setPos(mapToGlobal(QPoint(24, 40)));
        emit menuRequested(true);
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->key() == Qt::Key_E) emit exportRequested();
        if (event->key() == Qt::Key_C) emit copyIdsRequested();
        if (event->key() == Qt::Key_V) emit pasteIdsRequested();
        if (event->key() == Qt::Key_E || event->key() == Qt::Key_C || event->key() == Qt::Key_V) return;
    }
    if (event->key() == Qt::Key_R && !event->isAutoRepeat()) {
        emit reviewRequested();
        return;
    }
    if (event->key() == Qt::Key_H && !event->isAutoRepeat()) {
        emit hintRequested();
        return;
    }
    if (event->key() == Qt::Key_P && !event->isAutoRepeat()) {
        emit hintPlayRequested();
        return;
    }
    if (event->key() == Qt::Key_L) {
        // L shows or hides where the opponent's checkers went.
        extra.showLastMove = !extra.showLastMove;
        extra.save();
        update();
        return;
    }
    const bool backspace = event->key() == Qt::Key_Backspace;
    const QString text = event->text();
    const char key = text.isEmpty() ? '\0' : text.at(0).toLatin1();
    if (!backspace && key == '\0') return;
    if (key == 'c' || key == 'C') emit chatKeyPressed();
    if (game_.keyPressed(key, backspace, toolWindowOpen() || !isEnabled()) == Game::KeyCommand::Move) emit moveRequested();
}

void BoardWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeRequested();
}

void BoardWindow::onClockTick() {
    emit clockTicked();
    if (startupPending && isVisible() && game_.roller().clockTicks >= 7 && !game_.busy()) {
        startupPending = false;
        // Started from the event loop, not from inside this tick: the game's waits need the
        // clock to go on ticking.
        QTimer::singleShot(0, this, [this] { emit startRequested(); });
    }
    message_->tick();
    game_.clockTicked();
}

void BoardWindow::paintLastMove(QPainter& p) {
    // A moment of the past has no last move of the game in play.
    if (extra.showLastMove && !moment_) {
        std::vector<std::pair<int, int>> marks;
        for (int k = 0; k < game_.lastMoveMarkCount() && k < static_cast<int>(game_.lastMoveMarks().size()); ++k) {
            const Game::MoveMark& m = game_.lastMoveMarks()[static_cast<std::size_t>(k)];
            marks.emplace_back(m.from, m.to);
        }
        paintMoveMarks(p, marks, Side::Black, QColor(255, 255, 240));
    }
    // The best play in gold along the place's edge, the play made in blue well inside it: where
    // both mark one place, each keeps its own outline.
    paintMoveMarks(p, hintMarks_, marksSide_, QColor(255, 214, 80), 1.5, 230);
    paintMoveMarks(p, playedMarks_, marksSide_, QColor(110, 170, 255), 7, 230);
}

void BoardWindow::paintMoveMarks(QPainter& p, const std::vector<std::pair<int, int>>& marks, Side side, const QColor& colour,
                                 qreal inset, int strength) {
    // The outline of a point's half of the board, of the side's bar spot, or of its tray.
    const bool white = side == Side::White;
    auto place = [&](int point) -> QRect {
        if (point <= 0) return {places::kBarX - 2, (white ? places::kWhiteBarY : places::kBlackBarY) - 2, 55, 55};
        if (point >= 25)
            return {scene_.trayX() - (scene_.homeRight() ? 10 : 0), (white ? places::kWhiteTrayY : places::kBlackTrayY) - 60, 30, 140};
        const int s = scene_.screenPositionOf(point);
        return {places::pointX(s) - 1, s <= 12 ? 29 : 306, 53, 265};
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QColor faint = colour, veil = colour;
    for (const auto& [from, to] : marks) {
        // Left: a faint dashed outline; reached: a faint solid one with a veil of light.
        faint.setAlpha(strength * 3 / 4);
        p.setPen(QPen(faint, 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(place(from)).adjusted(inset, inset, -inset, -inset), 6, 6);
        faint.setAlpha(strength);
        veil.setAlpha(22);
        p.setPen(QPen(faint, 2));
        p.setBrush(veil);
        p.drawRoundedRect(QRectF(place(to)).adjusted(inset, inset, -inset, -inset), 6, 6);
    }
    p.restore();
}

void BoardWindow::paintLabels(QPainter& p) {
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    if (game_.options().showBarNumbers) {
        p.setPen(QColor(64, 32, 0));
        for (int s = 1; s <= 24; ++s) {
            const int x = places::pointX(s) + 15;
            const int y = s <= 12 ? 9 : 578;
            p.drawText(QRect(x, y, 20, 15), Qt::AlignCenter, QString::number(25 - scene_.pointAt(s)));
        }
    }
    // The counts the game last computed, each shown while its option is on.
    const BoardCounters& counters = moment_ ? momentCounters_ : game_.counters();
    const bool pips = game_.options().showPipCount;
    const bool off = game_.options().showBorneOff;
    font.setPixelSize(13);
    p.setFont(font);
    const int pipX = scene_.homeRight() ? 748 : 22;
    const int offX = scene_.homeRight() ? 776 : 0;
    auto label = [&](int x, int y, int w, const std::string& text, const QColor& colour) {
        if (text.empty()) return;
        const QRect r(x, y, w, 18);
        p.fillRect(r.adjusted(-1, 0, 1, 0), QColor(0, 0, 0, 120));
        p.setPen(colour);
        p.drawText(r, Qt::AlignCenter, QString::fromStdString(text));
    };
    if (pips) label(pipX - 2, 6, 30, counters.pipTopRight, QColor(255, 235, 190));
    if (pips) label(pipX - 2, 576, 30, counters.pipBottomRight, QColor(255, 235, 190));
    if (off) label(offX, 290, 24, counters.offTopRight, QColor(200, 200, 200));
    if (off) label(offX, 310, 24, counters.offBottomRight, QColor(255, 255, 255));
    label(places::kBarX + 13, 84, 24, counters.barTop, QColor(255, 255, 255));
    label(places::kBarX + 13, 496, 24, counters.barBottom, QColor(220, 220, 220));
}

void BoardWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(0, 0, boardPicture());
    // The point numbers' plates belong to the numbers: without them the rails stay bare.
    if (game_.options().showBarNumbers) p.drawImage(0, 0, assets_.numberPlates[game_.options().modernSkin ? 1 : 0]);
    for (const CheckerImage* c : checkersInDrawingOrder(rect())) p.drawImage(c->x, c->y, c->picture);
    for (const DieSlot& d : moment_ ? momentDice_ : dice_)
        if (d.visible) p.drawImage(d.x, kDiceY, d.picture);
    p.drawImage(kCubeX, cubeTop(cubeShown()), assets_.cubePicture(game_.options().modernSkin, cubeShown().value()));
    paintLastMove(p);
    paintLabels(p);
    for (int s = 1; s <= 24; ++s) {
        const Dot dot = dots_[static_cast<std::size_t>(scene_.pointAt(s))];
        if (dot == Dot::None) continue;
        const QColor colour = dot == Dot::Yellow ? QColor(255, 255, 0) : QColor(0, 255, 255);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(barDotCentre(s), 4, 4);
    }
    if (spriteVisible_) p.drawImage(sprite_, assets_.moveSprite);
}

}  // namespace lumaro

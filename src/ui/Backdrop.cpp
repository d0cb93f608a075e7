#include "ui/Backdrop.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPixmap>

namespace lumaro {
namespace {

QLabel* timeLabel(QWidget* parent, const QString& text, int x, int width) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, 28, width, 29);
    label->setStyleSheet(QStringLiteral("color: #c8b890; font: bold 18px;"));
    return label;
}

// A caption ("Time", "Game") in the 40 pixels before its clock: right-aligned, a few pixels
// clear of the clock, in the largest bold size that shows the whole word there.
QLabel* captionLabel(QWidget* parent, const QString& text, int x) {
    constexpr int kRoom = 40 - 5;
    int size = 18;
    QFont font;
    font.setBold(true);
    for (; size > 8; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= kRoom) break;
    }
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, 28, kRoom, 29);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral("color: #c8b890; font: bold %1px;").arg(size));
    return label;
}

}  // namespace

// A tool window: the board window is the game's one entry in the taskbar, the backdrop takes none.
Backdrop::Backdrop(const QImage& splash) : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool) {
    setWindowTitle(QStringLiteral("Lumaro 2"));
    setStyleSheet(QStringLiteral("background: black;"));
    setEnabled(false);
    splash_ = new QLabel(this);
    splash_->resize(420, 280);
    splash_->setAlignment(Qt::AlignCenter);
    if (!splash.isNull()) splash_->setPixmap(QPixmap::fromImage(splash.scaled(420, 280, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    else splash_->setText(QStringLiteral("<span style='color:#e0c890; font: bold 48px'>Lumaro 2</span>"));
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 344);
    progress_->setTextVisible(false);
    progress_->resize(346, 19);
    progress_->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid #605030; background: #101010; }"
                                            "QProgressBar::chunk { background: #b08a40; }"));
    panel_ = new QWidget(this);
    panel_->resize(758, 84);
    clockCaption_ = captionLabel(panel_, QStringLiteral("Time"), 120);
    clock_ = timeLabel(panel_, QStringLiteral("00:00:00"), 160, 101);
    durationCaption_ = captionLabel(panel_, QStringLiteral("Game"), 504);
    duration_ = timeLabel(panel_, QStringLiteral("00:00:00"), 544, 101);
    farewell_ = new QLabel(QStringLiteral("Dovi ZudiDuzivo !"), this);
    farewell_->setStyleSheet(QStringLiteral("color: rgb(96,96,0); font: bold 36px;"));
    farewell_->adjustSize();
    farewell_->hide();
}

void Backdrop::layOut(const QRect& screen) {
    setGeometry(screen);
    const int w = screen.width(), h = screen.height();
    splash_->move((w - 420) / 2, (h - 280) / 2);
    progress_->move((w - 345) / 2, (h - 280) / 2 + 300);
    panel_->move((w - 758) / 2, h / 2 + 300);
    farewell_->move((w - farewell_->width()) / 2, h / 2 - farewell_->height());
}

void Backdrop::setProgress(int value) {
    progress_->setValue(value);
    // Each step is drawn at once, even when the next one follows without a wait.
    QCoreApplication::processEvents();
}
void Backdrop::hideProgress() { progress_->hide(); }

void Backdrop::setClockVisible(bool clock, bool duration) {
    clockCaption_->setVisible(clock);
    clock_->setVisible(clock);
    durationCaption_->setVisible(duration);
    duration_->setVisible(duration);
}

void Backdrop::showTimes(const QString& clock, const QString& duration) {
    if (clock_->text() != clock) clock_->setText(clock);
    if (!duration.isEmpty() && duration_->text() != duration) duration_->setText(duration);
}

void Backdrop::farewell(const std::function<void(int)>& delay) {
    splash_->clear();
    progress_->hide();
    panel_->hide();
    farewell_->show();
    int r = 96, g = 96, b = 0;
    auto paint = [&] { farewell_->setStyleSheet(QStringLiteral("color: rgb(%1,%2,%3); font: bold 36px;").arg(r).arg(g).arg(b)); };
    for (int k = 0; k < 16; ++k) {
        r += 8, g += 8, b += 8;
        paint();
        delay(25);
    }
    for (int k = 0; k < 16; ++k) {
        r -= 8, g -= 8, b -= 8;
        paint();
        delay(25);
    }
    while (r > 0 || g > 0) {
        r = std::max(0, r - 1);
        g = std::max(0, g - 1);
        paint();
        delay(1);
    }
    delay(10);
    hide();
}

}  // namespace lumaro

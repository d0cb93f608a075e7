#include "ui/BoardWindow.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <vector>

namespace lumaro {
namespace {

// Left edges of the twelve columns (top row, left to right), as the board model places checkers.
constexpr int kColumnX[13] = {0, 52, 105, 158, 211, 264, 317, 432, 485, 538, 591, 644, 697};

const QColor kFrameDark(74, 41, 20);
const QColor kFrameLight(128, 76, 38);
const QColor kFelt(28, 96, 62);
const QColor kPointLight(222, 196, 150);
const QColor kPointDark(150, 42, 36);

}  // namespace

BoardWindow::BoardWindow(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    setWindowTitle(QStringLiteral("Lumaro 2"));
    labels_.fill(0);
}

void BoardWindow::setPointLabels(const std::array<unsigned char, 25>& screenToPoint) {
    for (int s = 1; s <= 24; ++s) labels_[s] = 25 - screenToPoint[s];
    update();
}

void BoardWindow::checkerAppeared(int colour, int image, int, int x, int y, bool) {
    if (colour < 0 || colour > 1 || image < 1 || image > 15) return;
    images_[colour][image] = {true, x, y, ++nextZ_};
    update();
}

void BoardWindow::checkerFaded(int colour, int image, int, bool) {
    if (colour < 0 || colour > 1 || image < 1 || image > 15) return;
    images_[colour][image].visible = false;
    update();
}

void BoardWindow::paintBoard(QPainter& p) const {
    // Wooden frame with a bevel.
    QLinearGradient wood(0, 0, kWidth, kHeight);
    wood.setColorAt(0, kFrameLight);
    wood.setColorAt(0.5, kFrameDark);
    wood.setColorAt(1, kFrameLight);
    p.fillRect(rect(), wood);

    const QRect left(49, 28, 322, 544);
    const QRect right(429, 28, 322, 544);
    for (const QRect& half : {left, right}) {
        QRadialGradient felt(half.center(), half.width());
        felt.setColorAt(0, kFelt.lighter(118));
        felt.setColorAt(1, kFelt.darker(130));
        p.fillRect(half, felt);
        p.setPen(QPen(QColor(30, 15, 5), 2));
        p.drawRect(half);
    }

    // Twelve columns per row, triangles alternating in colour.
    p.setPen(Qt::NoPen);
    for (int column = 1; column <= 12; ++column) {
        const int x = kColumnX[column] - 1;
        for (int row = 0; row < 2; ++row) {
            const bool dark = (column + row) % 2 == 0;
            QPainterPath triangle;
            if (row == 0) {
                triangle.moveTo(x, 29);
                triangle.lineTo(x + 53, 29);
                triangle.lineTo(x + 26.5, 260);
            } else {
                triangle.moveTo(x, 571);
                triangle.lineTo(x + 53, 571);
                triangle.lineTo(x + 26.5, 340);
            }
            QLinearGradient shade(x, 0, x + 53, 0);
            const QColor base = dark ? kPointDark : kPointLight;
            shade.setColorAt(0, base.darker(115));
            shade.setColorAt(0.5, base.lighter(108));
            shade.setColorAt(1, base.darker(115));
            p.fillPath(triangle, shade);
        }
    }

    // The bar and the bear-off tray.
    QLinearGradient bar(371, 0, 429, 0);
    bar.setColorAt(0, kFrameDark);
    bar.setColorAt(0.5, kFrameLight);
    bar.setColorAt(1, kFrameDark);
    p.fillRect(QRect(371, 0, 58, kHeight), bar);
    p.fillRect(QRect(756, 28, 38, 544), QColor(40, 22, 10));

    // Point numbers as White counts them.
    p.setPen(QColor(240, 225, 190));
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    for (int s = 1; s <= 24; ++s) {
        if (labels_[s] == 0) continue;
        const int column = s <= 12 ? s : 25 - s;
        const QRect box(kColumnX[column], s <= 12 ? 8 : 575, 51, 18);
        p.drawText(box, Qt::AlignCenter, QString::number(labels_[s]));
    }
}

void BoardWindow::paintChecker(QPainter& p, int colour, const CheckerImage& image) const {
    const QRectF r(image.x + 1, image.y + 1, kCheckerSize - 2, kCheckerSize - 2);
    const QColor base = colour == 1 ? QColor(236, 230, 214) : QColor(38, 34, 34);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(r.translated(2, 3));
    QRadialGradient body(r.center() - QPointF(8, 10), r.width() * 0.75);
    body.setColorAt(0, base.lighter(135));
    body.setColorAt(1, base.darker(140));
    p.setBrush(body);
    p.setPen(QPen(base.darker(170), 1.5));
    p.drawEllipse(r);
    p.setPen(QPen(base.darker(125), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r.adjusted(9, 9, -9, -9));
}

void BoardWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    paintBoard(p);
    struct Visible {
        int colour;
        const CheckerImage* image;
    };
    std::vector<Visible> visible;
    for (int colour = 0; colour <= 1; ++colour)
        for (int i = 1; i <= 15; ++i)
            if (images_[colour][i].visible) visible.push_back({colour, &images_[colour][i]});
    std::sort(visible.begin(), visible.end(), [](const Visible& a, const Visible& b) { return a.image->z < b.image->z; });
    for (const Visible& v : visible) paintChecker(p, v.colour, *v.image);
}

}  // namespace lumaro

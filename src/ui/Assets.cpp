#include "ui/Assets.h"

#include <QCoreApplication>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "ui/JpegImage.h"
#include "ui/ProgramFolders.h"

namespace lumaro {
namespace {

QImage png(const QString& folder, const QString& name) {
    QImage image;
    if (!image.load(folder + QLatin1Char('/') + name)) return {};
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Left edges of the checkers of the twelve columns, left to right.
constexpr int kColumns[12] = {52, 105, 158, 211, 264, 317, 432, 485, 538, 591, 644, 697};

// Plain light plates behind the point numbers for when their picture is missing.
QImage drawnNumberPlates(bool modern) {
    QImage image(800, 600, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(modern ? QColor(194, 200, 206) : QColor(216, 199, 164));
    for (int x : kColumns)
        for (int y : {6, 575}) p.drawRoundedRect(QRectF(x + 12, y, 28, 21), 4, 4);
    return image;
}

// A plain board for when the picture is missing: felt, two rows of points, the bar.
QImage drawnBoard(bool modern) {
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), modern ? QColor(48, 52, 58) : QColor(96, 56, 28));
    const QColor felt = modern ? QColor(22, 96, 104) : QColor(30, 100, 60);
    p.fillRect(QRect(49, 28, 322, 544), felt);
    p.fillRect(QRect(429, 28, 322, 544), felt);
    for (int c = 1; c <= 12; ++c) {
        for (int row = 0; row < 2; ++row) {
            QPainterPath t;
            const int x = kColumns[c - 1] - 1;
            const int base = row == 0 ? 29 : 571;
            t.moveTo(x, base);
            t.lineTo(x + 53, base);
            t.lineTo(x + 26.5, row == 0 ? 255 : 345);
            const bool dark = (c + row) % 2 == 0;
            p.fillPath(t, dark ? QColor(150, 40, 36) : QColor(226, 206, 160));
        }
    }
    return image;
}

QImage drawnChecker(bool white, int scheme) {
    static const QColor whites[4] = {{}, QColor(235, 228, 210), QColor(240, 200, 120), QColor(200, 220, 240)};
    static const QColor blacks[4] = {{}, QColor(40, 36, 36), QColor(130, 30, 30), QColor(30, 50, 110)};
    QImage image(51, 51, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const QColor c = white ? whites[scheme] : blacks[scheme];
    p.setPen(QPen(c.darker(160), 2));
    p.setBrush(c);
    p.drawEllipse(QRect(2, 2, 46, 46));
    p.setPen(QPen(c.darker(130), 1));
    p.drawEllipse(QRect(11, 11, 28, 28));
    return image;
}

// Body everywhere inside the disc, a soft shadow down and to the right outside it.
QImage drawnShading() {
    QImage image(51, 51, QImage::Format_RGB32);
    for (int y = 0; y < 51; ++y) {
        for (int x = 0; x < 51; ++x) {
            const double dx = x - 25, dy = y - 25;
            if (dx * dx + dy * dy <= 24 * 24) {
                image.setPixel(x, y, qRgb(0, 255, 0));
            } else {
                const double sx = x - 28, sy = y - 28;
                const bool shadow = sx * sx + sy * sy <= 24 * 24;
                image.setPixel(x, y, shadow ? qRgb(160, 0, 255) : qRgb(0, 0, 255));
            }
        }
    }
    return image;
}

QImage drawnDie(int value) {
    QImage image(51, 51, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(250, 248, 240));
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.drawRoundedRect(QRectF(4, 4, 43, 43), 7, 7);
    static const int pips[7][7][2] = {{},
                                      {{25, 25}},
                                      {{15, 15}, {35, 35}},
                                      {{15, 15}, {25, 25}, {35, 35}},
                                      {{15, 15}, {35, 15}, {15, 35}, {35, 35}},
                                      {{15, 15}, {35, 15}, {25, 25}, {15, 35}, {35, 35}},
                                      {{15, 14}, {35, 14}, {15, 25}, {35, 25}, {15, 36}, {35, 36}}};
    p.setBrush(QColor(20, 20, 20));
    p.setPen(Qt::NoPen);
    for (int k = 0; k < value; ++k) p.drawEllipse(QPointF(pips[value][k][0], pips[value][k][1]), 4, 4);
    return image;
}

QImage drawnCube(int value) {
    QImage image(51, 51, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(245, 240, 225));
    p.setPen(QPen(QColor(60, 50, 40), 1.5));
    p.drawRoundedRect(QRectF(3, 3, 45, 45), 6, 6);
    QFont font = p.font();
    font.setPixelSize(value >= 10 ? 18 : 22);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(3, 3, 45, 45), Qt::AlignCenter, QString::number(value));
    return image;
}

// A plain tool-window background for when the picture is missing: linen under a dark title band,
// framed in gold.
QImage drawnToolBackground() {
    QImage image(758, 600, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient linen(0, 0, 0, 600);
    linen.setColorAt(0, QColor(232, 227, 216));
    linen.setColorAt(1, QColor(216, 210, 198));
    p.fillRect(image.rect(), linen);
    p.fillRect(QRect(0, 0, 758, 64), QColor(58, 68, 80));
    p.fillRect(QRect(0, 64, 758, 2), QColor(196, 156, 84));
    p.setPen(QPen(QColor(196, 156, 84), 2));
    p.drawRect(QRectF(1.5, 1.5, 755, 597));
    p.setPen(QColor(28, 32, 38));
    p.drawRect(QRect(0, 0, 757, 599));
    return image;
}

template <class Make>
QImage orDrawn(QImage image, Make make) {
    return image.isNull() ? make() : image;
}

}  // namespace

QString defaultAssetsFolder() { return ProgramFolders::current().assets; }

Assets Assets::load(const QString& folder) {
    Assets a;
    a.folder = folder;
    a.board[0] = orDrawn(loadJpeg(folder + QStringLiteral("/board-classic.jpg")), [] { return drawnBoard(false); });
    a.board[1] = orDrawn(loadJpeg(folder + QStringLiteral("/board-modern.jpg")), [] { return drawnBoard(true); });
    for (int i = 0; i < 2; ++i)
        if (a.board[i].size() != QSize(800, 600)) a.board[i] = drawnBoard(i == 1);
    a.numberPlates[0] = png(folder, QStringLiteral("number-plates-classic.png"));
    a.numberPlates[1] = png(folder, QStringLiteral("number-plates-modern.png"));
    for (int i = 0; i < 2; ++i)
        if (a.numberPlates[i].size() != QSize(800, 600)) a.numberPlates[i] = drawnNumberPlates(i == 1);
    for (int scheme = 1; scheme <= 3; ++scheme) {
        a.checker[1][scheme] = orDrawn(png(folder, QStringLiteral("checker-white-%1.png").arg(scheme)),
                                       [scheme] { return drawnChecker(true, scheme); });
        a.checker[0][scheme] = orDrawn(png(folder, QStringLiteral("checker-black-%1.png").arg(scheme)),
                                       [scheme] { return drawnChecker(false, scheme); });
    }
    a.shading = orDrawn(png(folder, QStringLiteral("checker-shading.png")), drawnShading);
    for (int v = 0; v <= 6; ++v) a.die[v] = orDrawn(png(folder, QStringLiteral("die-%1.png").arg(v)), [v] { return drawnDie(v); });
    a.dieMask = orDrawn(png(folder, QStringLiteral("die-mask.png")), [] {
        QImage m(51, 51, QImage::Format_RGB32);
        m.fill(qRgb(0, 255, 0));
        return m;
    });
    const char* skins[2] = {"classic", "modern"};
    for (int skin = 0; skin < 2; ++skin)
        for (int e = 1; e <= 6; ++e) {
            const int value = 1 << e;
            a.cube[skin][e] = orDrawn(png(folder, QStringLiteral("cube-%1-%2.png").arg(QLatin1String(skins[skin])).arg(value)),
                                      [value] { return drawnCube(value); });
        }
    const char* kinds[5] = {"0-newgame", "1-rule", "2-score", "3-resign", "4-cube"};
    for (int k = 0; k < 5; ++k) a.messageKind[k] = png(folder, QStringLiteral("message-%1.png").arg(QLatin1String(kinds[k])));
    a.messagePanel = png(folder, QStringLiteral("message-panel.png"));
    if (a.messagePanel.size() != QSize(360, 210)) {
        a.messagePanel = QImage(360, 210, QImage::Format_RGB32);
        a.messagePanel.fill(Qt::black);  // all board, darkened
    }
    const char* states[3] = {"", "-hover", "-pressed"};
    for (int s = 0; s < 3; ++s) {
        a.yesButton[s] = png(folder, QStringLiteral("button-yes%1.png").arg(QLatin1String(states[s])));
        a.noButton[s] = png(folder, QStringLiteral("button-no%1.png").arg(QLatin1String(states[s])));
    }
    a.moveSprite = orDrawn(png(folder, QStringLiteral("move-sprite.png")), [] {
        QImage s(5, 5, QImage::Format_ARGB32);
        s.fill(QColor(255, 220, 60));
        return s;
    });
    a.splash = loadJpeg(folder + QStringLiteral("/splash.jpg"));
    a.menuStrip = png(folder, QStringLiteral("menu-strip.png"));
    a.menuHover = png(folder, QStringLiteral("menu-hover.png"));
    a.menuPressed = png(folder, QStringLiteral("menu-pressed.png"));
    a.menuSeparator = png(folder, QStringLiteral("menu-separator.png"));
    a.menuEmblem = png(folder, QStringLiteral("menu-emblem.png"));
    a.toolBackground = loadJpeg(folder + QStringLiteral("/tool-background.jpg"));
    if (a.toolBackground.size() != QSize(758, 600)) a.toolBackground = drawnToolBackground();
    return a;
}

const QImage& Assets::cubePicture(int skin, int value) const {
    int e = 6;
    for (int k = 1; k <= 6; ++k)
        if (value == (1 << k)) e = k;
    return cube[skin ? 1 : 0][e];
}

}  // namespace lumaro

#include "CubeArt.h"

#include <QPainter>

#include "BoardLayout.h"
#include "Drawing.h"
#include "BlockRelief.h"

namespace lumaro::art {

namespace {

constexpr int kSize = layout::kChecker;
constexpr Block kCube = {4.f, 4.f, 45.f, 45.f, 6.f, 3.5f};

QPainterPath numberPath(const BoardSkin& skin, int value) {
    // Two digits are fitted wider and lower than one.
    const qreal cx = (kCube.x0 + kCube.x1) / 2.0, cy = (kCube.y0 + kCube.y1) / 2.0;
    return fittedText(QString::number(value), pictureFont(skin.serifCube, 64), cx, cy, value >= 10 ? 28.0 : 20.0,
                      value >= 10 ? 18.0 : 22.0);
}

}  // namespace

QImage paintCube(const BoardSkin& skin, int value, const QImage& board) {
    QImage image = board.copy(layout::kCubeX, layout::kCubeY[1], kSize, kSize).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            Rgb c = fromQRgb(image.pixel(x, y)) * (1.f - 0.45f * blockShadow(kCube, x, y, 2.5f, 2.5f));
            const float cover = blockCoverage(kCube, x, y);
            if (cover > 0.f) {
                const float px = x + 0.5f, py = y + 0.5f;
                const Rgb face = lit(skin.cubeFace * (1.f + 0.04f * ((45.f - px) + (45.f - py)) / 82.f),
                                     blockLight(kCube, px, py));
                c = mix(c, face, cover);
            }
            image.setPixel(x, y, toQRgb(c));
        }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QPainterPath figure = numberPath(skin, value);
    // Engraved: a light lower-right lip, then the ink.
    painter.setBrush(toQColor(lit(skin.cubeFace, 1.25f), 200));
    painter.drawPath(figure.translated(0.6, 0.7));
    painter.setBrush(toQColor(skin.cubeInk));
    painter.drawPath(figure);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

}  // namespace lumaro::art

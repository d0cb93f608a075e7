#include "Composite.h"

namespace lumaro::art {

namespace {

bool pureWhite(QRgb p) { return (p & 0xFFFFFF) == 0xFFFFFF; }

bool inside(const QImage& canvas, int x, int y) { return x >= 0 && y >= 0 && x < canvas.width() && y < canvas.height(); }

}  // namespace

void composeChecker(QImage& canvas, const QImage& checker, const QImage& shading, int x, int y) {
    for (int j = 0; j < checker.height(); ++j)
        for (int i = 0; i < checker.width(); ++i) {
            if (!inside(canvas, x + i, y + j)) continue;
            const QRgb s = checker.pixel(i, j), m = shading.pixel(i, j);
            const bool shadow = qGreen(m) == 0 && (qBlue(m) > 0 || qRed(m) > 0);
            if (!shadow) {
                if (!pureWhite(s)) canvas.setPixel(x + i, y + j, s);
                continue;
            }
            const int w = 255 - qBlue(m), k = (255 - qRed(m)) * 30 + 17850;
            const QRgb b = canvas.pixel(x + i, y + j);
            int c[3] = {qRed(b), qGreen(b), qBlue(b)};
            const int sc[3] = {qRed(s), qGreen(s), qBlue(s)};
            for (int q = 0; q < 3; ++q) {
                if (!pureWhite(s)) c[q] = (sc[q] * (255 - w) + c[q] * w) / 256;
                c[q] = c[q] * k / 100 / 256;
            }
            canvas.setPixel(x + i, y + j, qRgb(c[0], c[1], c[2]));
        }
}

void composeDie(QImage& canvas, const QImage& face, const QImage& mask, int x, int y) {
    for (int j = 0; j < face.height(); ++j)
        for (int i = 0; i < face.width(); ++i) {
            if (!inside(canvas, x + i, y + j)) continue;
            const QRgb f = face.pixel(i, j), m = mask.pixel(i, j), b = canvas.pixel(x + i, y + j);
            int c[3] = {qRed(b), qGreen(b), qBlue(b)};
            const int fc[3] = {qRed(f), qGreen(f), qBlue(f)};
            const bool maskBlack = (m & 0xFFFFFF) == 0;
            if (!pureWhite(f))
                for (int q = 0; q < 3; ++q) c[q] = maskBlack ? (4 * c[q] + 6 * fc[q]) / 10 : fc[q];
            if (qBlue(m) && !qGreen(m) && !qRed(m)) {
                for (int q = 0; q < 3; ++q) c[q] = (c[q] * (510 - qBlue(m))) >> 9;
            } else if (qBlue(m)) {
                for (int q = 0; q < 3; ++q) c[q] = fc[q];
            }
            canvas.setPixel(x + i, y + j, qRgb(c[0], c[1], c[2]));
        }
}

}  // namespace lumaro::art

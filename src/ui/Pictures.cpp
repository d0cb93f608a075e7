#include "ui/Pictures.h"

namespace lumaro {
namespace {

bool pureWhite(QRgb p) { return qRed(p) == 255 && qGreen(p) == 255 && qBlue(p) == 255; }
bool shadowPixel(QRgb m) { return qGreen(m) == 0 && (qBlue(m) > 0 || qRed(m) > 0); }

QRgb perChannel(QRgb a, QRgb b, int (*f)(int, int)) {
    return qRgb(f(qRed(a), qRed(b)), f(qGreen(a), qGreen(b)), f(qBlue(a), qBlue(b)));
}

QImage rgb(const QImage& image, int w, int h) {
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    if (out.isNull() || out.width() < w || out.height() < h) {
        QImage blank(w, h, QImage::Format_RGB32);
        blank.fill(Qt::black);
        return blank;
    }
    return out;
}

// Shading by the map's red channel: k runs from 17850 (darkest) to 25500.
int shade(int channel, QRgb m) {
    const int k = (255 - qRed(m)) * 30 + 17850;
    return channel * k / 100 / 256;
}

}  // namespace

QImage withWhiteTransparent(const QImage& picture) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (pureWhite(row[x])) row[x] = qRgba(255, 255, 255, 0);
    }
    return out;
}

QImage composeChecker(const QImage& boardIn, const QImage& checkerIn, const QImage& shadingIn) {
    const QImage board = rgb(boardIn, kCheckerSize, kCheckerSize);
    const QImage checker = rgb(checkerIn, kCheckerSize, kCheckerSize);
    const QImage shading = rgb(shadingIn, kCheckerSize, kCheckerSize);
    QImage out(kCheckerSize, kCheckerSize, QImage::Format_RGB32);
    for (int y = 0; y < kCheckerSize; ++y) {
        for (int x = 0; x < kCheckerSize; ++x) {
            const QRgb s = checker.pixel(x, y);
            const QRgb m = shading.pixel(x, y);
            const QRgb b = board.pixel(x, y);
            QRgb r = b;
            if (!pureWhite(s) && !shadowPixel(m)) {
                r = s;
            } else if (shadowPixel(m)) {
                const int w = 255 - qBlue(m);
                auto blendShade = [&](int sc, int bc) {
                    const int mixed = pureWhite(s) ? bc : (sc * (255 - w) + bc * w) / 256;
                    return shade(mixed, m);
                };
                r = qRgb(blendShade(qRed(s), qRed(b)), blendShade(qGreen(s), qGreen(b)), blendShade(qBlue(s), qBlue(b)));
            } else {
                r = s;  // pure white over a body pixel: not drawn
            }
            out.setPixel(x, y, r);
        }
    }
    return withWhiteTransparent(out);
}

QImage appearFrame(const QImage& boardIn, const QImage& checkerIn, const QImage& shadingIn) {
    const QImage board = rgb(boardIn, kCheckerSize, kCheckerSize);
    const QImage checker = rgb(checkerIn, kCheckerSize, kCheckerSize);
    const QImage shading = rgb(shadingIn, kCheckerSize, kCheckerSize);
    QImage out = board.copy(0, 0, kCheckerSize, kCheckerSize);
    for (int y = 0; y < kCheckerSize; ++y) {
        for (int x = 0; x < kCheckerSize; ++x) {
            const QRgb s = checker.pixel(x, y);
            if (pureWhite(s) || shadowPixel(shading.pixel(x, y))) continue;
            out.setPixel(x, y, perChannel(s, board.pixel(x, y), [](int sc, int bc) { return (sc * 127 + bc * 128) / 256; }));
        }
    }
    return withWhiteTransparent(out);
}

QImage fadeFrame(const QImage& currentIn, const QImage& boardIn) {
    const QImage current = currentIn.convertToFormat(QImage::Format_ARGB32);
    const QImage board = rgb(boardIn, current.width(), current.height());
    QImage out(current.size(), QImage::Format_RGB32);
    for (int y = 0; y < current.height(); ++y) {
        for (int x = 0; x < current.width(); ++x) {
            const QRgb c = current.pixel(x, y);
            const QRgb b = board.pixel(x, y);
            const bool transparent = qAlpha(c) == 0 || pureWhite(c);
            out.setPixel(x, y, transparent ? b : perChannel(b, c, [](int bc, int cc) { return (bc * 45 + cc * 55) / 100; }));
        }
    }
    return withWhiteTransparent(out);
}

QImage composeDie(const QImage& boardIn, const QImage& faceIn, const QImage& maskIn) {
    QImage out = rgb(boardIn, kDieSize, kDieSize).copy(0, 0, kDieSize, kDieSize).convertToFormat(QImage::Format_ARGB32);
    const QImage face = rgb(faceIn, kDieSize, kDieSize);
    const QImage mask = rgb(maskIn, kDieSize, kDieSize);
    for (int y = 0; y < kDieSize; ++y) {
        for (int x = 0; x < kDieSize; ++x) {
            const QRgb f = face.pixel(x, y);
            const QRgb m = mask.pixel(x, y);
            QRgb b = out.pixel(x, y);
            const bool maskBlack = qRed(m) == 0 && qGreen(m) == 0 && qBlue(m) == 0;
            if (!pureWhite(f)) b = maskBlack ? perChannel(b, f, [](int bc, int fc) { return (4 * bc + 6 * fc) / 10; }) : f;
            if (qBlue(m) > 0 && qGreen(m) == 0 && qRed(m) == 0) {
                const int weight = 510 - qBlue(m);
                b = qRgb(qRed(b) * weight >> 9, qGreen(b) * weight >> 9, qBlue(b) * weight >> 9);
            } else if (qBlue(m) > 0) {
                b = f;
            } else if (pureWhite(f)) {
                b = qRgba(0, 0, 0, 0);  // outside the die and its shadow: whatever lies below shows
            }
            out.setPixel(x, y, b);
        }
    }
    return out;
}

QImage darkenDie(const QImage& dieIn) {
    QImage out = dieIn.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (qAlpha(row[x]) == 0) continue;  // the transparent surround stays transparent
            auto dim = [](int c) { return c == 255 ? 255 : c * 85 / 100; };
            row[x] = qRgb(dim(qRed(row[x])), dim(qGreen(row[x])), dim(qBlue(row[x])));
        }
    }
    return out;
}

QImage messageBackground(const QImage& boardIn, const QImage& panelTemplate) {
    QImage out = rgb(boardIn, panelTemplate.width(), panelTemplate.height()).copy(0, 0, panelTemplate.width(), panelTemplate.height());
    const QImage tpl = rgb(panelTemplate, panelTemplate.width(), panelTemplate.height());
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const QRgb t = tpl.pixel(x, y);
            if (qRed(t) || qGreen(t) || qBlue(t))
                out.setPixel(x, y, t);
            else
                out.setPixel(x, y, perChannel(out.pixel(x, y), out.pixel(x, y), [](int c, int) { return c * 91 / 256; }));
        }
    }
    return out;
}

}  // namespace lumaro

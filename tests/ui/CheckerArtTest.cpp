#include <gtest/gtest.h>

#include <cmath>

#include "CheckerArt.h"
#include "PictureChecks.h"

using namespace lumaro::art;
using namespace lumaro::testing;

namespace {

enum class MapPixel { Body, Edge, ShadowOnly, Untouched, Broken };

// The board window's reading of a shading-map pixel, with edges told apart from plain shadow.
MapPixel classify(QRgb m) {
    const int b = qBlue(m), g = qGreen(m), r = qRed(m);
    if (g > 0) return MapPixel::Body;
    if (b == 0 && r == 0) return MapPixel::Untouched;  // a body pixel too: the picture's white shows
    if (b > 0) return MapPixel::Edge;
    return MapPixel::ShadowOnly;
}

float distanceFromCentre(int x, int y) {
    return std::hypot(x + 0.5f - kCheckerCentre, y + 0.5f - kCheckerCentre);
}

TEST(CheckerPictures, AreOpaqueDiscsOnPureWhiteWithNoWhiteInside) {
    for (int scheme = 1; scheme <= kCheckerSchemes; ++scheme)
        for (bool white : {true, false}) {
            SCOPED_TRACE(::testing::Message() << "scheme " << scheme << (white ? " white" : " black"));
            const QImage s = paintChecker(checkerStyle(white, scheme));
            ASSERT_EQ(s.size(), QSize(51, 51));
            ASSERT_EQ(s.format(), QImage::Format_RGB888);
            for (QPoint corner : {QPoint(0, 0), QPoint(50, 0), QPoint(0, 50), QPoint(50, 50)}) {
                EXPECT_TRUE(isPureWhite(s.pixel(corner)));
            }
            for (int y = 0; y < 51; ++y)
                for (int x = 0; x < 51; ++x) {
                    const QRgb p = s.pixel(x, y);
                    if (checkerCoverage(x, y) > 0.f) {
                        ASSERT_LE(std::max({qRed(p), qGreen(p), qBlue(p)}), 254) << x << "," << y;
                    } else {
                        ASSERT_TRUE(isPureWhite(p)) << x << "," << y;
                    }
                }
        }
}

TEST(CheckerPictures, TheWhiteSideIsTheLighterOfEachScheme) {
    const QRect face(20, 20, 9, 9);  // inside the inlaid ring
    for (int scheme = 1; scheme <= kCheckerSchemes; ++scheme) {
        const double light = luminance(meanColour(paintChecker(checkerStyle(true, scheme)), face));
        const double dark = luminance(meanColour(paintChecker(checkerStyle(false, scheme)), face));
        EXPECT_GT(light - dark, 60.0) << "scheme " << scheme;
    }
}

TEST(ShadingMap, IsBodyInsideTheDiscAndShadowOnlyAtItsEdgeAndBeyond) {
    const QImage m = paintShadingMap();
    ASSERT_EQ(m.size(), QSize(51, 51));
    for (int y = 0; y < 51; ++y)
        for (int x = 0; x < 51; ++x) {
            SCOPED_TRACE(::testing::Message() << x << "," << y);
            const QRgb p = m.pixel(x, y);
            const float cover = checkerCoverage(x, y);
            const MapPixel kind = classify(p);
            if (cover >= 1.f) {
                ASSERT_EQ(kind, MapPixel::Body);
            } else if (cover > 0.f) {
                // The blue share is the checker's part of the blend: its coverage.
                ASSERT_EQ(kind, MapPixel::Edge);
                ASSERT_NEAR(qBlue(p), 255.f * cover, 12.f);
            } else {
                ASSERT_TRUE(kind == MapPixel::ShadowOnly || kind == MapPixel::Untouched);
            }
            if (distanceFromCentre(x, y) < kCheckerRadius - 1.5f) {
                ASSERT_EQ(kind, MapPixel::Body);
            }
        }
}

TEST(ShadingMap, CastsAVisibleShadowDownAndToTheRight) {
    const QImage m = paintShadingMap();
    double weight = 0, sx = 0, sy = 0;
    int deep = 0;
    for (int y = 0; y < 51; ++y)
        for (int x = 0; x < 51; ++x) {
            if (classify(m.pixel(x, y)) != MapPixel::ShadowOnly) continue;
            const int depth = qRed(m.pixel(x, y));
            weight += depth, sx += depth * (x + 0.5), sy += depth * (y + 0.5);
            if (depth > 128) ++deep;
        }
    ASSERT_GT(weight, 0.0);
    EXPECT_GT(sx / weight - kCheckerCentre, 2.0);
    EXPECT_GT(sy / weight - kCheckerCentre, 2.0);
    EXPECT_GT(deep, 40);
    // Above and left of the checker at most a faint contact shadow.
    EXPECT_EQ(classify(m.pixel(1, 1)), MapPixel::Untouched);
    for (int x = 0; x < 51; ++x) EXPECT_LT(qRed(m.pixel(x, 0)), 100) << x;
}

TEST(ShadingMap, AgreesWithEveryCheckerPicture) {
    // Body pixels show the picture as it is, so a white there would punch a hole in the
    // checker and a colour outside the disc would paint a square corner on the board.
    const QImage m = paintShadingMap();
    for (int scheme = 1; scheme <= kCheckerSchemes; ++scheme)
        for (bool white : {true, false}) {
            const QImage s = paintChecker(checkerStyle(white, scheme));
            for (int y = 0; y < 51; ++y)
                for (int x = 0; x < 51; ++x) {
                    const MapPixel kind = classify(m.pixel(x, y));
                    const bool drawn = !isPureWhite(s.pixel(x, y));
                    ASSERT_EQ(drawn, kind == MapPixel::Body || kind == MapPixel::Edge)
                        << "scheme " << scheme << " at " << x << "," << y;
                }
        }
}

TEST(MoveSprite, IsASmallDotOnATransparentSquare) {
    const QImage sprite = paintMoveSprite();
    ASSERT_EQ(sprite.size(), QSize(5, 5));
    EXPECT_TRUE(isPureWhite(sprite.pixel(0, 0)));
    EXPECT_TRUE(isPureWhite(sprite.pixel(4, 4)));
    EXPECT_FALSE(isPureWhite(sprite.pixel(2, 2)));
    EXPECT_FALSE(isPureWhite(sprite.pixel(2, 0)));
}

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "DiceArt.h"
#include "PictureChecks.h"

using namespace lumaro::art;
using namespace lumaro::testing;

namespace {

enum class MaskPixel { Face, Edge, Shadow };

// The mask as the die drawing reads it: black blends, blue alone darkens, other blue is face.
MaskPixel classify(QRgb m) {
    if (isBlack(m)) return MaskPixel::Edge;
    if (qBlue(m) > 0 && qGreen(m) == 0 && qRed(m) == 0) return MaskPixel::Shadow;
    return MaskPixel::Face;
}

// Dark blobs on the face, counted as 4-connected groups.
int countPips(const QImage& face, const QImage& mask) {
    std::vector<int> dark(51 * 51, 0);
    for (int y = 0; y < 51; ++y)
        for (int x = 0; x < 51; ++x)
            dark[y * 51 + x] = classify(mask.pixel(x, y)) == MaskPixel::Face && luminance(face.pixel(x, y)) < 100;
    int blobs = 0;
    std::vector<int> stack;
    for (int start = 0; start < 51 * 51; ++start) {
        if (!dark[start]) continue;
        ++blobs;
        stack.push_back(start);
        dark[start] = 0;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            const int x = i % 51, y = i / 51;
            for (auto [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
                if (nx < 0 || ny < 0 || nx >= 51 || ny >= 51 || !dark[ny * 51 + nx]) continue;
                dark[ny * 51 + nx] = 0;
                stack.push_back(ny * 51 + nx);
            }
        }
    }
    return blobs;
}

TEST(DieFaces, ShowTheirNumberOfPipsAtTheLaidOutPlaces) {
    const QImage mask = paintDieMask();
    for (int value = 0; value <= 6; ++value) {
        const QImage face = paintDieFace(value);
        ASSERT_EQ(face.size(), QSize(51, 51));
        EXPECT_EQ(countPips(face, mask), value) << "value " << value;
        Pip pips[6];
        const int n = pipLayout(value, pips);
        ASSERT_EQ(n, value);
        for (int i = 0; i < n; ++i)
            EXPECT_LT(luminance(face.pixel(static_cast<int>(pips[i].x), static_cast<int>(pips[i].y))), 80.0);
    }
}

TEST(DieFaces, AgreeWithTheMask) {
    const QImage mask = paintDieMask();
    ASSERT_EQ(mask.size(), QSize(51, 51));
    for (int value = 0; value <= 6; ++value) {
        const QImage face = paintDieFace(value);
        for (int y = 0; y < 51; ++y)
            for (int x = 0; x < 51; ++x) {
                SCOPED_TRACE(::testing::Message() << "value " << value << " at " << x << "," << y);
                const QRgb f = face.pixel(x, y);
                switch (classify(mask.pixel(x, y))) {
                    case MaskPixel::Face:
                        // A played die is darkened channel by channel, except channels at 255.
                        ASSERT_LE(std::max({qRed(f), qGreen(f), qBlue(f)}), 254);
                        break;
                    case MaskPixel::Shadow:
                        // A face colour here would be drawn solid before the shadow darkens it.
                        ASSERT_TRUE(isPureWhite(f));
                        break;
                    case MaskPixel::Edge: {
                        if (isPureWhite(f)) break;
                        // A blended pixel belongs to the die's outline: a face pixel is next to it.
                        bool besideFace = false;
                        for (int dy = -1; dy <= 1; ++dy)
                            for (int dx = -1; dx <= 1; ++dx) {
                                const int nx = x + dx, ny = y + dy;
                                if (nx >= 0 && ny >= 0 && nx < 51 && ny < 51 &&
                                    classify(mask.pixel(nx, ny)) == MaskPixel::Face)
                                    besideFace = true;
                            }
                        ASSERT_TRUE(besideFace);
                        break;
                    }
                }
            }
    }
}

TEST(DieMask, CastsItsShadowDownAndToTheRight) {
    const QImage mask = paintDieMask();
    double weight = 0, sx = 0, sy = 0, fx = 0, fy = 0, faces = 0;
    for (int y = 0; y < 51; ++y)
        for (int x = 0; x < 51; ++x) {
            const QRgb m = mask.pixel(x, y);
            if (classify(m) == MaskPixel::Shadow) weight += qBlue(m), sx += qBlue(m) * x, sy += qBlue(m) * y;
            if (classify(m) == MaskPixel::Face) ++faces, fx += x, fy += y;
        }
    ASSERT_GT(weight, 0.0);
    ASSERT_GT(faces, 30.0 * 30.0);
    EXPECT_GT(sx / weight, fx / faces + 5.0);
    EXPECT_GT(sy / weight, fy / faces + 5.0);
    EXPECT_TRUE(isBlack(mask.pixel(0, 0)));
}

}  // namespace

#include <gtest/gtest.h>

#include <QPainter>

#include "BoardArt.h"
#include "BoardLayout.h"
#include "BoardPoints.h"
#include "CubeArt.h"
#include "PictureChecks.h"

using namespace lumaro::art;
using namespace lumaro::art::layout;
using namespace lumaro::testing;

namespace {

const QRgb kLabelInk = qRgb(64, 32, 0);  // the colour the point numbers are written in

class BoardPicture : public ::testing::TestWithParam<bool> {
protected:
    BoardSkin skin() const { return GetParam() ? modernSkin() : classicSkin(); }
};

TEST_P(BoardPicture, PointsStandUnderEveryCheckerColumnAndAlternate) {
    const BoardSkin s = skin();
    for (int c = 0; c < 12; ++c) {
        SCOPED_TRACE(::testing::Message() << "column " << c);
        const int middle = kColumnX[c] + 25;
        const PointPixel top = pointAt(s, middle, 40), bottom = pointAt(s, middle, 560);
        EXPECT_EQ(top.coverage, 1.f);
        EXPECT_EQ(bottom.coverage, 1.f);
        // Cloth shows between neighbouring points.
        EXPECT_EQ(pointAt(s, kColumnX[c] - 1, 40).coverage, 0.f);
        // Facing points differ, and so do neighbours in a row.
        EXPECT_GT(channelDistance(toQRgb(top.colour), toQRgb(bottom.colour)), 40);
        if (c > 0) {
            EXPECT_GT(channelDistance(toQRgb(top.colour), toQRgb(pointAt(s, kColumnX[c - 1] + 25, 40).colour)), 40);
        }
    }
}

TEST_P(BoardPicture, LeavesTheDiceStripToTheCloth) {
    const BoardSkin s = skin();
    for (int y = kDiceStripTop; y <= kDiceStripBottom; ++y)
        for (int x = 0; x < kWidth; ++x) ASSERT_EQ(pointAt(s, x, y).coverage, 0.f) << x << "," << y;
}

TEST_P(BoardPicture, BarLooksTheSameAtEveryCubePlace) {
    // One cube picture serves the top, middle and bottom places.
    const QImage board = paintBoard(skin());
    ASSERT_EQ(board.size(), QSize(kWidth, kHeight));
    for (int y = kCubeY[0] - 5; y <= kCubeY[2] + kChecker + 5; ++y)
        for (int x = kCubeX; x < kCubeX + kChecker; ++x)
            ASSERT_EQ(board.pixel(x, y), board.pixel(x, kCubeY[1])) << x << "," << y;
}

TEST_P(BoardPicture, CubePicturesBlendIntoTheBarAndShowTheirValue) {
    const QImage board = paintBoard(skin());
    QImage previous;
    for (int value : {2, 4, 8, 16, 32, 64}) {
        SCOPED_TRACE(::testing::Message() << "value " << value);
        const QImage cube = paintCube(skin(), value, board);
        ASSERT_EQ(cube.size(), QSize(kChecker, kChecker));
        // Outside the cube and its shadow the picture is the bar itself.
        for (int y : kCubeY)
            for (QPoint p : {QPoint(0, 0), QPoint(2, 1), QPoint(50, 0), QPoint(0, 50), QPoint(1, 48)}) {
                EXPECT_EQ(cube.pixel(p), board.pixel(kCubeX + p.x(), y + p.y()));
            }
        int ink = 0;
        for (int y = 15; y < 36; ++y)
            for (int x = 12; x < 39; ++x) ink += luminance(cube.pixel(x, y)) < 110;
        EXPECT_GT(ink, 20);
        if (!previous.isNull()) {
            EXPECT_NE(cube, previous);
        }
        previous = cube;
    }
}

TEST_P(BoardPicture, PointNumbersHaveAPlainLightPlateOverTheBareRail) {
    const QImage bare = paintBoard(skin());
    const QImage plates = paintNumberPlates(skin());
    ASSERT_EQ(plates.size(), bare.size());
    QImage board = bare;
    QPainter(&board).drawImage(0, 0, plates);
    for (int cx : kColumnX)
        for (int y : {kTopLabelY, kBottomLabelY}) {
            const QRect label(cx + 15, y, kLabelWidth, kLabelHeight);
            // Without the plates the rail runs on under the number's place as it does beside it.
            const QRect beside(cx + 42, y, 9, kLabelHeight);
            EXPECT_LT(channelDistance(meanColour(bare, label), meanColour(bare, beside)), 24) << cx << "," << y;
            EXPECT_EQ(qAlpha(plates.pixel(beside.center())), 0);
            const QRgb mean = meanColour(board, label);
            EXPECT_GT(contrast(mean, kLabelInk), 4.5) << cx << "," << y;
            int spread = 0;
            for (int yy = label.top(); yy <= label.bottom(); ++yy)
                for (int xx = label.left(); xx <= label.right(); ++xx)
                    spread = std::max(spread, channelDistance(board.pixel(xx, yy), mean));
            EXPECT_LT(spread, 40) << cx << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Skins, BoardPicture, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Modern" : "Classic"; });

TEST(BoardSkins, AreClearlyDifferent) {
    const QImage classic = paintBoard(classicSkin()), modern = paintBoard(modernSkin());
    for (QRect area : {QRect(100, 290, 60, 40), QRect(0, 0, 800, 28), QRect(380, 150, 40, 100)})
        EXPECT_GT(channelDistance(meanColour(classic, area), meanColour(modern, area)), 25);
}

}  // namespace

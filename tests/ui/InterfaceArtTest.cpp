#include <gtest/gtest.h>

#include "MenuArt.h"
#include "MessageArt.h"
#include "PictureChecks.h"

using namespace lumaro::art;
using namespace lumaro::testing;

namespace {

TEST(MessagePanel, LetsTheDarkenedBoardThroughWhereTheTextsAndButtonsGo) {
    const QImage panel = paintMessagePanel();
    ASSERT_EQ(panel.size(), QSize(360, 210));
    // Board positions of the lines, table and buttons, less the panel's corner (220, 208).
    for (QRect area : {QRect(112, 48, 225, 36), QRect(116, 94, 225, 62), QRect(140, 96, 169, 33)})
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) ASSERT_TRUE(isBlack(panel.pixel(x, y))) << x << "," << y;
    // The frame is drawn: its pixels are not black, so the template shows there.
    EXPECT_FALSE(isBlack(panel.pixel(180, 2)));
    EXPECT_FALSE(isBlack(panel.pixel(2, 105)));
    EXPECT_FALSE(isBlack(panel.pixel(16, 80)));  // round the kind picture
}

TEST(KindPictures, AreFiveDistinctOpaquePicturesForThePanelsFrame) {
    QList<QImage> seen;
    for (int kind = 0; kind < kMessageKinds; ++kind) {
        const QImage picture = paintKindPicture(kind);
        ASSERT_EQ(picture.size(), QSize(90, 109));
        EXPECT_FALSE(picture.hasAlphaChannel());
        for (const QImage& other : seen) EXPECT_NE(picture, other) << "kind " << kind;
        seen << picture;
    }
    EXPECT_EQ(kindPictureName(Score), QStringLiteral("message-2-score.png"));
}

TEST(MenuPieces, KeepTheItemTextsReadable) {
    const QRgb darkBlue = qRgb(10, 37, 54), white = qRgb(255, 255, 255);
    const QImage strip = paintMenuStrip();
    ASSERT_EQ(strip.size(), QSize(49, 600));
    // Item tops of START, BACK, SIDE, HIDE, HELP and their neighbours.
    for (int top : {32, 53, 74, 136, 157, 178, 240, 261, 282, 344, 364, 385, 449, 470, 491})
        EXPECT_GT(contrast(meanColour(strip, QRect(2, top, 45, 21)), darkBlue), 4.5) << "item at " << top;
    EXPECT_GT(contrast(meanColour(paintMenuHighlight(false), QRect(0, 0, 45, 21)), darkBlue), 4.5);
    EXPECT_GT(contrast(meanColour(paintMenuHighlight(true), QRect(0, 0, 45, 21)), white), 4.5);
    EXPECT_NE(paintActivityLight(true), paintActivityLight(false));
}

}  // namespace

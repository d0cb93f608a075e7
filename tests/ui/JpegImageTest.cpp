#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "JpegWriter.h"
#include "PictureChecks.h"
#include "ui/JpegImage.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {

// A small two-colour JPEG made the way the generator makes the boards.
QByteArray sampleJpeg(const QTemporaryDir& dir) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(qRgb(30, 100, 60));
    for (int y = 0; y < 48; ++y)
        for (int x = 32; x < 64; ++x) image.setPixel(x, y, qRgb(200, 40, 40));
    const QString path = dir.filePath(QStringLiteral("sample.jpg"));
    EXPECT_TRUE(art::writeJpeg(image, path, 92));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(JpegImage, DecodesAPictureToItsSizeAndColours) {
    QTemporaryDir dir;
    const QImage image = decodeJpeg(sampleJpeg(dir));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(64, 48));
    EXPECT_LE(channelDistance(image.pixel(8, 20), qRgb(30, 100, 60)), 6);
    EXPECT_LE(channelDistance(image.pixel(56, 20), qRgb(200, 40, 40)), 6);
    EXPECT_EQ(loadJpeg(dir.filePath(QStringLiteral("sample.jpg"))).size(), QSize(64, 48));
}

TEST(JpegImage, RefusesBrokenInputWithANullImage) {
    QTemporaryDir dir;
    const QByteArray good = sampleJpeg(dir);
    EXPECT_TRUE(decodeJpeg(good.left(good.size() / 2)).isNull()) << "cut in the middle of the data";
    EXPECT_TRUE(decodeJpeg(good.left(good.size() - 2)).isNull()) << "end marker missing";
    EXPECT_TRUE(decodeJpeg(good.left(20)).isNull()) << "header only";
    EXPECT_TRUE(decodeJpeg(QByteArray()).isNull());
    QByteArray garbage(4000, '\0');
    for (int i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919) % 251);
    EXPECT_TRUE(decodeJpeg(garbage).isNull());
    // A JPEG start followed by nonsense.
    EXPECT_TRUE(decodeJpeg(good.left(2) + garbage).isNull());
    // Corrupt entropy-coded data in the middle of an otherwise whole file.
    QByteArray scrambled = good;
    for (int i = scrambled.size() / 2; i < scrambled.size() / 2 + 40; ++i) scrambled[i] = static_cast<char>(0xFF);
    EXPECT_TRUE(decodeJpeg(scrambled).isNull());
}

TEST(JpegImage, GivesANullImageForAMissingFile) {
    QTemporaryDir dir;
    EXPECT_TRUE(loadJpeg(dir.filePath(QStringLiteral("no-such-board.jpg"))).isNull());
    EXPECT_TRUE(loadJpeg(dir.path()).isNull());  // a folder, not a file
}

}  // namespace

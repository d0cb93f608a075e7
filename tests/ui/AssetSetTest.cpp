#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include "AssetSet.h"
#include "BoardArt.h"
#include "PictureChecks.h"
#include "ui/JpegImage.h"

using namespace lumaro;
using namespace lumaro::art;
using namespace lumaro::testing;

namespace {

class WrittenAssets : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new QTemporaryDir;
        bool ok = false;
        written = new QStringList(writeAllAssets(folder->path(), &ok));
        allWritten = ok;
    }
    static void TearDownTestSuite() {
        delete written;
        delete folder;
    }
    static QString path(const QString& name) { return folder->filePath(name); }
    static QByteArray bytes(const QString& name) {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static inline QTemporaryDir* folder = nullptr;
    static inline QStringList* written = nullptr;
    static inline bool allWritten = false;
};

TEST_F(WrittenAssets, ManifestListsEveryFileThatIsThere) {
    ASSERT_TRUE(allWritten);
    const QStringList manifest = QString::fromUtf8(bytes(QStringLiteral("assets.txt"))).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(manifest, *written);
    QStringList onDisk = QDir(folder->path()).entryList(QDir::Files);
    onDisk.removeAll(QStringLiteral("assets.txt"));
    QStringList sorted = manifest;
    sorted.sort();
    onDisk.sort();
    EXPECT_EQ(sorted, onDisk);
}

TEST_F(WrittenAssets, GamePicturesHaveTheirSizesAndAre24BitWithoutLoss) {
    QList<QPair<QString, QSize>> expected;
    const QSize piece(51, 51);
    for (int scheme = 1; scheme <= 3; ++scheme) {
        expected << qMakePair(QStringLiteral("checker-white-%1.png").arg(scheme), piece);
        expected << qMakePair(QStringLiteral("checker-black-%1.png").arg(scheme), piece);
    }
    expected << qMakePair(QStringLiteral("checker-shading.png"), piece) << qMakePair(QStringLiteral("move-sprite.png"), QSize(5, 5))
             << qMakePair(QStringLiteral("die-mask.png"), piece) << qMakePair(QStringLiteral("message-panel.png"), QSize(360, 210));
    for (int value = 0; value <= 6; ++value) expected << qMakePair(QStringLiteral("die-%1.png").arg(value), piece);
    for (const char* skin : {"classic", "modern"})
        for (int value : {2, 4, 8, 16, 32, 64})
            expected << qMakePair(QStringLiteral("cube-%1-%2.png").arg(QLatin1String(skin)).arg(value), piece);
    for (const char* kind : {"0-newgame", "1-rule", "2-score", "3-resign", "4-cube"})
        expected << qMakePair(QStringLiteral("message-%1.png").arg(QLatin1String(kind)), QSize(90, 109));
    for (const auto& [name, size] : expected) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(written->contains(name));
        QImageReader reader(path(name));
        EXPECT_EQ(reader.format(), "png");
        const QImage image = reader.read();
        EXPECT_EQ(image.size(), size);
        EXPECT_FALSE(image.hasAlphaChannel());
    }
}

TEST_F(WrittenAssets, BackgroundJpegsDecodeWithTheGamesReader) {
    const QList<QPair<QString, QSize>> expected = {{QStringLiteral("board-classic.jpg"), QSize(800, 600)},
                                                   {QStringLiteral("board-modern.jpg"), QSize(800, 600)},
                                                   {QStringLiteral("splash.jpg"), QSize(420, 280)},
                                                   {QStringLiteral("tool-background.jpg"), QSize(758, 600)}};
    for (const auto& [name, size] : expected) EXPECT_EQ(loadJpeg(path(name)).size(), size) << name.toStdString();

    // The compression keeps the painted board: small average error, no visible blocks.
    const QImage painted = paintBoard(classicSkin());
    const QImage decoded = loadJpeg(path(QStringLiteral("board-classic.jpg"))).convertToFormat(QImage::Format_RGB32);
    double error = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) error += channelDistance(painted.pixel(x, y), decoded.pixel(x, y));
    EXPECT_LT(error / (800.0 * 600.0), 4.0);
}

TEST_F(WrittenAssets, InterfacePiecesAndSoundsAreAllThere) {
    for (const char* name :
         {"button-yes.png", "button-yes-hover.png", "button-yes-pressed.png", "button-no.png", "button-no-hover.png",
          "button-no-pressed.png", "menu-strip.png", "menu-hover.png", "menu-pressed.png", "menu-separator.png",
          "menu-emblem.png", "light-rest.png", "light-active.png", "sound-start.wav", "sound-checker.wav",
          "sound-menu.wav", "sound-nomove.wav", "sound-question.wav", "sound-dice.wav", "sound-cube.wav",
          "sound-settings.wav", "sound-gameend.wav", "sound-chat-out.wav", "sound-chat-in.wav", "sound-farewell.wav",
          "sound-call.wav", "sound-connected.wav", "sound-error.wav", "tool-check.png", "tool-arrow-up.png",
          "tool-arrow-down.png", "number-plates-classic.png", "number-plates-modern.png"}) {
        EXPECT_TRUE(written->contains(QLatin1String(name))) << name;
        EXPECT_GT(bytes(QLatin1String(name)).size(), 44) << name;
    }
    // Rounded buttons: the corner shows what lies beneath, the middle is solid.
    const QImage yes(path(QStringLiteral("button-yes.png")));
    ASSERT_EQ(yes.size(), QSize(77, 33));
    EXPECT_EQ(qAlpha(yes.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(yes.pixel(38, 16)), 255);
}

// The pictures are stored compressed: each PNG's image data (its IDAT chunks) takes less room than
// its pixels would raw. (Tiny pictures are left out: zlib's own framing outweighs a few pixels.)
TEST_F(WrittenAssets, PngPicturesAreStoredCompressed) {
    auto bigEndian = [](const QByteArray& b, qsizetype at) {
        return quint32(quint8(b[at])) << 24 | quint32(quint8(b[at + 1])) << 16 | quint32(quint8(b[at + 2])) << 8 |
               quint32(quint8(b[at + 3]));
    };
    int looked = 0;
    for (const QString& name : *written) {
        if (!name.endsWith(QLatin1String(".png"))) continue;
        SCOPED_TRACE(name.toStdString());
        const QByteArray png = bytes(name);
        ASSERT_GT(png.size(), 33);
        ASSERT_EQ(png.mid(12, 4), QByteArray("IHDR"));
        const qint64 width = bigEndian(png, 16), height = bigEndian(png, 20);
        const int bitDepth = quint8(png[24]), colourType = quint8(png[25]);
        const int channels = colourType == 2 ? 3 : colourType == 6 ? 4 : colourType == 4 ? 2 : 1;
        const qint64 raw = width * height * channels * bitDepth / 8;
        qint64 imageData = 0;
        for (qsizetype at = 8; at + 12 <= png.size();) {
            const qint64 length = bigEndian(png, at);
            if (png.mid(at + 4, 4) == "IDAT") imageData += length;
            at += 12 + length;
        }
        if (raw < 1024) continue;
        ++looked;
        EXPECT_LT(imageData, raw) << width << "x" << height;
    }
    EXPECT_GT(looked, 20);
}

TEST_F(WrittenAssets, EveryRunWritesTheSameBytes) {
    QTemporaryDir again;
    writeAllAssets(again.path());
    for (const QString& name : *written) {
        QFile f(again.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(f.readAll(), bytes(name)) << name.toStdString();
    }
}

}  // namespace

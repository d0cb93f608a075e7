#include <gtest/gtest.h>

#include <QSet>
#include <QtEndian>
#include <cmath>

#include "Sounds.h"
#include "Wav.h"

using namespace lumaro::art;

namespace {

std::uint32_t u32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
std::uint16_t u16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

TEST(WavFile, HasAPlainPcmHeaderAndTheSamplesInOrder) {
    const std::vector<std::int16_t> samples = {0, 1000, -1000, 32767, -32768};
    const QByteArray b = wavBytes(samples, 22050);
    ASSERT_EQ(b.size(), 44 + 10);
    EXPECT_EQ(b.left(4), "RIFF");
    EXPECT_EQ(u32(b, 4), static_cast<std::uint32_t>(b.size() - 8));
    EXPECT_EQ(b.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(u32(b, 16), 16u);
    EXPECT_EQ(u16(b, 20), 1);  // PCM
    EXPECT_EQ(u16(b, 22), 1);  // mono
    EXPECT_EQ(u32(b, 24), 22050u);
    EXPECT_EQ(u32(b, 28), 44100u);
    EXPECT_EQ(u16(b, 32), 2);
    EXPECT_EQ(u16(b, 34), 16);
    EXPECT_EQ(b.mid(36, 4), "data");
    EXPECT_EQ(u32(b, 40), 10u);
    EXPECT_EQ(static_cast<std::int16_t>(u16(b, 46)), 1000);
    EXPECT_EQ(static_cast<std::int16_t>(u16(b, 52)), -32768);
}

TEST(GameSounds, AreShortAudibleUnclippedAndStartAndEndInSilence) {
    QSet<QString> names;
    for (const SoundRecipe& recipe : soundRecipes()) {
        SCOPED_TRACE(recipe.file.toStdString());
        names.insert(recipe.file);
        const std::vector<std::int16_t> s = recipe.make();
        const double seconds = static_cast<double>(s.size()) / kSampleRate;
        EXPECT_GE(seconds, 0.05);
        EXPECT_LE(seconds, 2.0);
        int peak = 0;
        double energy = 0;
        for (std::int16_t v : s) {
            peak = std::max(peak, std::abs(static_cast<int>(v)));
            energy += static_cast<double>(v) * v;
        }
        EXPECT_LT(peak, 32767) << "clipped";
        EXPECT_GT(peak, 12000) << "too quiet";
        EXPECT_GT(std::sqrt(energy / s.size()), 600.0) << "nearly silent";
        // No click as the sound starts or stops.
        EXPECT_LT(std::abs(s.front()), 200);
        EXPECT_LT(std::abs(s.back()), 200);
        EXPECT_EQ(recipe.make(), s) << "not repeatable";
    }
    EXPECT_EQ(names.size(), static_cast<int>(soundRecipes().size()));
    EXPECT_EQ(names.size(), 15);  // twelve board players, three of the settings window (one shared sound each)
}

}  // namespace

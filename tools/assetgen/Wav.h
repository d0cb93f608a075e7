#pragma once
// 16-bit PCM mono WAV files: a RIFF header, a "fmt " chunk and a "data" chunk.
#include <QByteArray>
#include <cstdint>
#include <vector>

namespace lumaro::art {

constexpr int kSampleRate = 22050;

QByteArray wavBytes(const std::vector<std::int16_t>& samples, int sampleRate = kSampleRate);

}  // namespace lumaro::art

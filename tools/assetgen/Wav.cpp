#include "Wav.h"

namespace lumaro::art {

namespace {

void put16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void put32(QByteArray& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace

QByteArray wavBytes(const std::vector<std::int16_t>& samples, int sampleRate) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    QByteArray out;
    out.reserve(static_cast<int>(44 + dataBytes));
    out.append("RIFF", 4);
    put32(out, 36 + dataBytes);  // everything after this field
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    put32(out, 16);  // PCM format chunk size
    put16(out, 1);   // PCM
    put16(out, 1);   // mono
    put32(out, static_cast<std::uint32_t>(sampleRate));
    put32(out, static_cast<std::uint32_t>(sampleRate) * 2);  // bytes per second
    put16(out, 2);                                           // bytes per frame
    put16(out, 16);                                          // bits per sample
    out.append("data", 4);
    put32(out, dataBytes);
    for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));
    return out;
}

}  // namespace lumaro::art

#include "Synth.h"

#include <algorithm>
#include <cmath>

#include "Wav.h"

namespace lumaro::art {

namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr float kRate = static_cast<float>(kSampleRate);

int sampleAt(float seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

// Band-pass biquad (constant peak gain), coefficients refreshed as the centre moves.
struct BandPass {
    float b0 = 0, b2 = 0, a1 = 0, a2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    void tune(float centre, float q) {
        const float w = kTwoPi * centre / kRate, alpha = std::sin(w) / (2.f * q), a0 = 1.f + alpha;
        b0 = alpha / a0;
        b2 = -alpha / a0;
        a1 = -2.f * std::cos(w) / a0;
        a2 = (1.f - alpha) / a0;
    }
    float run(float x) {
        const float y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        return y;
    }
};

float envelope(float t, float length, float attack, float tau) {
    const float rise = attack > 0.f ? std::min(1.f, t / attack) : 1.f;
    const float release = std::min(0.03f, length / 4.f);  // a short fade where the voice is cut
    const float tail = std::min(1.f, (length - t) / release);
    return rise * std::exp(-t / tau) * std::max(0.f, tail);
}

}  // namespace

Buffer silence(float seconds) { return Buffer(static_cast<std::size_t>(sampleAt(seconds)), 0.f); }

void addTone(Buffer& b, float start, float length, float f0, float f1, float amp, float attack, float tau) {
    const int s0 = sampleAt(start), n = sampleAt(length);
    float phase = 0.f;
    for (int i = 0; i < n && s0 + i < static_cast<int>(b.size()); ++i) {
        const float t = i / kRate;
        const float f = f0 * std::pow(f1 / f0, t / length);
        phase += kTwoPi * f / kRate;
        b[s0 + i] += amp * envelope(t, length, attack, tau) * std::sin(phase);
    }
}

void addBell(Buffer& b, float start, float freq, float amp, float tau) {
    const int s0 = sampleAt(start);
    const float length = std::min(tau * 5.f, static_cast<float>(b.size()) / kRate - start);
    const int n = sampleAt(length);
    for (int i = 0; i < n && s0 + i < static_cast<int>(b.size()); ++i) {
        const float t = i / kRate;
        const float index = 2.2f * std::exp(-t / (tau * 0.25f));
        const float mod = std::sin(kTwoPi * freq * 2.0f * t);
        const float tone = std::sin(kTwoPi * freq * t + index * mod) + 0.18f * std::sin(kTwoPi * freq * 3.01f * t);
        b[s0 + i] += amp * envelope(t, length, 0.003f, tau) * tone;
    }
}

void addStrike(Buffer& b, float start, const std::vector<Mode>& modes) {
    for (const Mode& m : modes) addTone(b, start, m.tau * 6.f, m.freq, m.freq, m.amp, 0.0005f, m.tau);
}

void addNoise(Buffer& b, Lcg& rng, float start, float length, float f0, float f1, float q, float amp, float attack,
              float tau) {
    BandPass filter;
    const int s0 = sampleAt(start), n = sampleAt(length);
    for (int i = 0; i < n && s0 + i < static_cast<int>(b.size()); ++i) {
        const float t = i / kRate;
        if (i % 32 == 0) filter.tune(f0 * std::pow(f1 / f0, t / length), q);
        b[s0 + i] += amp * envelope(t, length, attack, tau) * filter.run(rng.signedUnit());
    }
}

void addBuzz(Buffer& b, float start, float length, float freq, float amp) {
    const int s0 = sampleAt(start), n = sampleAt(length);
    for (int i = 0; i < n && s0 + i < static_cast<int>(b.size()); ++i) {
        const float t = i / kRate;
        float v = 0.f;
        for (int h = 1; h <= 9; ++h) v += std::sin(kTwoPi * freq * h * t) / static_cast<float>(h * h) * (h % 2 ? 1.f : 0.6f);
        const float shape = std::min(1.f, t / 0.012f) * std::min(1.f, (length - t) / 0.05f);
        b[s0 + i] += amp * shape * v;
    }
}

std::vector<std::int16_t> finish(const Buffer& b, float peak) {
    float top = 0.f;
    for (float v : b) top = std::max(top, std::abs(v));
    const float gain = top > 0.f ? peak / top : 0.f;
    const int fade = sampleAt(0.004f), n = static_cast<int>(b.size());
    std::vector<std::int16_t> out(b.size());
    for (int i = 0; i < n; ++i) {
        const float edge = std::min({1.f, static_cast<float>(i) / fade, static_cast<float>(n - 1 - i) / fade});
        out[i] = static_cast<std::int16_t>(std::lround(std::clamp(b[i] * gain * edge, -1.f, 1.f) * 32767.f));
    }
    return out;
}

}  // namespace lumaro::art

#pragma once
// A tiny synthesiser for the game's sounds: every voice adds into a float buffer at the
// sample rate of the WAV files; `finish` scales the mix and turns it into 16-bit samples.
#include <cstdint>
#include <vector>

#include "Noise.h"

namespace lumaro::art {

using Buffer = std::vector<float>;

Buffer silence(float seconds);

// A sine whose pitch glides from f0 to f1, with a linear attack and an exponential decay
// (tau: seconds to fall to 1/e); it is cut off gently at `length`.
void addTone(Buffer& b, float start, float length, float f0, float f1, float amp, float attack, float tau);

// A struck bell: frequency modulation with a decaying index gives the bright, clean onset.
void addBell(Buffer& b, float start, float freq, float amp, float tau);

// A struck piece of wood or ivory: a few damped resonances.
struct Mode {
    float freq, amp, tau;
};
void addStrike(Buffer& b, float start, const std::vector<Mode>& modes);

// A burst of band-passed noise (centre glides from f0 to f1) with attack and decay.
void addNoise(Buffer& b, Lcg& rng, float start, float length, float f0, float f1, float q, float amp, float attack,
              float tau);

// A soft buzz: odd and even harmonics of `freq`, darkened, with a short attack and release.
void addBuzz(Buffer& b, float start, float length, float freq, float amp);

// Scales the peak to `peak` (below 1, so nothing clips), fades the first and last few
// milliseconds to silence and rounds to 16 bits.
std::vector<std::int16_t> finish(const Buffer& b, float peak = 0.72f);

}  // namespace lumaro::art

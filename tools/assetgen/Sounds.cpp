#include "Sounds.h"

#include "Synth.h"

namespace lumaro::art {

namespace {

// Notes of the chimes.
constexpr float G4 = 392.0f, C5 = 523.25f, D5 = 587.33f, E5 = 659.25f, G5 = 783.99f, A5 = 880.0f, C6 = 1046.5f,
                D6 = 1174.66f, E6 = 1318.51f, G6 = 1567.98f;

std::vector<std::int16_t> start() {  // the program opens: a warm rising chord
    Buffer b = silence(1.5f);
    addBell(b, 0.00f, C5, 0.5f, 0.45f);
    addBell(b, 0.09f, E5, 0.45f, 0.42f);
    addBell(b, 0.18f, G5, 0.42f, 0.40f);
    addBell(b, 0.30f, C6, 0.35f, 0.35f);
    addTone(b, 0.0f, 1.45f, C5 / 2, C5 / 2, 0.15f, 0.08f, 0.6f);
    return finish(b);
}

std::vector<std::int16_t> checker() {  // a checker set down: a short woody knock
    Buffer b = silence(0.13f);
    Lcg rng(17);
    addStrike(b, 0.002f, {{196, 0.8f, 0.018f}, {523, 0.5f, 0.012f}, {1210, 0.3f, 0.007f}, {2430, 0.12f, 0.004f}});
    addNoise(b, rng, 0.f, 0.02f, 1800, 1200, 1.2f, 0.5f, 0.0005f, 0.004f);
    return finish(b);
}

std::vector<std::int16_t> menu() {  // the menu panel slides in: a soft swish
    Buffer b = silence(0.26f);
    Lcg rng(23);
    addNoise(b, rng, 0.f, 0.25f, 500, 2600, 2.0f, 1.0f, 0.09f, 0.12f);
    return finish(b, 0.5f);
}

std::vector<std::int16_t> noMove() {  // refused: a soft low buzz
    Buffer b = silence(0.28f);
    addBuzz(b, 0.f, 0.27f, 98.f, 1.f);
    return finish(b, 0.55f);
}

std::vector<std::int16_t> question() {  // a question waits for YES or NO
    Buffer b = silence(0.6f);
    addBell(b, 0.f, E5, 0.5f, 0.12f);
    addBell(b, 0.14f, A5, 0.5f, 0.18f);
    return finish(b);
}

std::vector<std::int16_t> dice() {  // the dice rattle in the cup and tumble onto the board
    Buffer b = silence(0.7f);
    Lcg rng(31);
    float t = 0.01f;
    for (int i = 0; i < 11; ++i) {
        const bool onBoard = i >= 7;
        const float pitch = 2200.f + 2200.f * rng.unit();
        const float amp = onBoard ? 0.9f - 0.15f * (i - 7) : 0.45f + 0.35f * rng.unit();
        addStrike(b, t, {{pitch, 0.35f * amp, 0.006f}, {pitch * 1.53f, 0.2f * amp, 0.004f}, {pitch * 0.61f, 0.25f * amp, 0.008f}});
        addNoise(b, rng, t, 0.015f, 3500, 2500, 1.5f, 0.6f * amp, 0.0005f, 0.004f);
        if (onBoard) addStrike(b, t, {{170.f + 60.f * rng.unit(), 0.5f * amp, 0.02f}});
        // Quick shakes in the cup, then ever longer hops as the dice settle.
        t += onBoard ? 0.05f + 0.02f * (i - 7) : 0.03f + 0.025f * rng.unit();
    }
    return finish(b);
}

std::vector<std::int16_t> cube() {  // the cube is turned: a heavier knock that rocks once
    Buffer b = silence(0.3f);
    Lcg rng(41);
    addStrike(b, 0.002f, {{128, 0.9f, 0.04f}, {352, 0.5f, 0.025f}, {910, 0.3f, 0.012f}, {1870, 0.12f, 0.006f}});
    addNoise(b, rng, 0.f, 0.03f, 1400, 900, 1.0f, 0.4f, 0.0005f, 0.006f);
    addStrike(b, 0.075f, {{140, 0.4f, 0.03f}, {388, 0.25f, 0.018f}, {1000, 0.12f, 0.008f}});
    return finish(b);
}

std::vector<std::int16_t> settings() {  // the settings window opens: a light two-note chime
    Buffer b = silence(0.42f);
    addBell(b, 0.f, G5, 0.45f, 0.09f);
    addBell(b, 0.07f, D6, 0.4f, 0.13f);
    return finish(b, 0.6f);
}

std::vector<std::int16_t> gameEnd() {  // the game is over: a small rising arpeggio
    Buffer b = silence(1.6f);
    const float notes[] = {C5, E5, G5, C6};
    for (int i = 0; i < 4; ++i) addBell(b, 0.12f * i, notes[i], 0.45f, i == 3 ? 0.45f : 0.22f);
    addBell(b, 0.48f, E6, 0.2f, 0.4f);
    addBell(b, 0.48f, G5, 0.2f, 0.4f);
    return finish(b);
}

std::vector<std::int16_t> chatOut() {  // a chat line is sent: a quick upward blip
    Buffer b = silence(0.15f);
    addTone(b, 0.f, 0.14f, 700, 1150, 0.8f, 0.01f, 0.06f);
    return finish(b, 0.55f);
}

std::vector<std::int16_t> chatIn() {  // a chat line arrives: ding-dong
    Buffer b = silence(0.65f);
    addBell(b, 0.f, C6, 0.5f, 0.15f);
    addBell(b, 0.16f, G5, 0.5f, 0.22f);
    return finish(b, 0.65f);
}

std::vector<std::int16_t> farewell() {  // leaving the program: a gentle falling arpeggio
    Buffer b = silence(1.9f);
    const float notes[] = {G5, E5, C5, G4};
    for (int i = 0; i < 4; ++i) addBell(b, 0.16f * i, notes[i], 0.45f, i == 3 ? 0.5f : 0.25f);
    addTone(b, 0.48f, 1.4f, C5 / 2, C5 / 2, 0.12f, 0.1f, 0.5f);
    return finish(b);
}

std::vector<std::int16_t> call() {  // calling a peer: two soft ring pulses
    Buffer b = silence(0.62f);
    for (float s : {0.f, 0.32f}) {
        addTone(b, s, 0.22f, A5, A5, 0.4f, 0.015f, 0.2f);
        addTone(b, s, 0.22f, E6, E6, 0.25f, 0.015f, 0.15f);
    }
    return finish(b, 0.6f);
}

std::vector<std::int16_t> connected() {  // a peer is connected: bright rising fifth
    Buffer b = silence(0.5f);
    addBell(b, 0.f, C6, 0.45f, 0.1f);
    addBell(b, 0.09f, G6, 0.4f, 0.15f);
    return finish(b, 0.65f);
}

std::vector<std::int16_t> error() {  // a network error: two low buzzes
    Buffer b = silence(0.38f);
    addBuzz(b, 0.f, 0.13f, 130.f, 1.f);
    addBuzz(b, 0.2f, 0.16f, 110.f, 1.f);
    return finish(b, 0.55f);
}

}  // namespace

const std::vector<SoundRecipe>& soundRecipes() {
    static const std::vector<SoundRecipe> recipes = {
        {QStringLiteral("sound-start.wav"), start},
        {QStringLiteral("sound-checker.wav"), checker},
        {QStringLiteral("sound-menu.wav"), menu},
        {QStringLiteral("sound-nomove.wav"), noMove},
        {QStringLiteral("sound-question.wav"), question},
        {QStringLiteral("sound-dice.wav"), dice},
        {QStringLiteral("sound-cube.wav"), cube},
        {QStringLiteral("sound-settings.wav"), settings},
        {QStringLiteral("sound-gameend.wav"), gameEnd},
        {QStringLiteral("sound-chat-out.wav"), chatOut},
        {QStringLiteral("sound-chat-in.wav"), chatIn},
        {QStringLiteral("sound-farewell.wav"), farewell},
        {QStringLiteral("sound-call.wav"), call},
        {QStringLiteral("sound-connected.wav"), connected},
        {QStringLiteral("sound-error.wav"), error},
    };
    return recipes;
}

}  // namespace lumaro::art

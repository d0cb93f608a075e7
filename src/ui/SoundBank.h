#pragma once
// The game's sounds, one player per recording. A machine without an audio device plays nothing
// and says nothing.
#include <QObject>
#include <QSoundEffect>
#include <array>
#include <memory>

#include "game/Screen.h"

namespace lumaro {

class SoundBank {
public:
    explicit SoundBank(const QString& folder);
    void play(Sound sound);
    // The farewell stops every other sound when it starts.
    void stopAll();

private:
    std::array<std::unique_ptr<QSoundEffect>, 13> players_;  // by player number 1..12
};

}  // namespace lumaro

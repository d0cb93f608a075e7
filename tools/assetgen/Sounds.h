#pragma once
// The game's sounds, each made from a short recipe; assets/README.md tells which window
// player sounds which file on which event.
#include <QString>
#include <cstdint>
#include <vector>

namespace lumaro::art {

struct SoundRecipe {
    QString file;
    std::vector<std::int16_t> (*make)();
};

const std::vector<SoundRecipe>& soundRecipes();

}  // namespace lumaro::art

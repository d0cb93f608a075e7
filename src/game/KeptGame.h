#pragma once
// An unfinished game kept at EXIT for the next start: the turn's start as SAVE keeps it, and
// whether it is the Crawford game of its match (the match score itself is in the settings file).
#include <string>

#include "game/SavedGame.h"

namespace lumaro {

struct KeptGame {
    SavedGame game;
    bool crawfordGame = false;
};

// Where EXIT keeps the game. The shell hands the game one while the player's option is on.
class KeptGameStore {
public:
    virtual ~KeptGameStore() = default;
    // False when it could not be written, with the system's reason in `whyNot`; an earlier kept
    // game is then left as it was.
    virtual bool keep(const KeptGame& game, std::string& whyNot) = 0;
};

}  // namespace lumaro

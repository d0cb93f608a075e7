#pragma once
// A checkpoint holds what a run needs to go on exactly where it stopped: the seed, the number of
// games played (each game's dice and choices come from the seed and its number, so that is the
// whole random state) and the networks' weights (the race network's too when the run has one).
#include <string>

#include "Trainer.h"

namespace lumaro::train {

// Written to a temporary file first and then renamed, so a crash never leaves half a checkpoint.
bool saveCheckpoint(const std::string& path, const Trainer& trainer);
// Restores weights and progress into `trainer`; false (and nothing changed) when the file is
// missing, damaged, or from a run with another seed.
bool loadCheckpoint(const std::string& path, Trainer& trainer);

// nn1.bin and nn2.bin in the game's format, in `folder`.
bool saveGameWeights(const std::string& folder, const Nets& nets);
// Networks 1 and 2 from the nn1.bin and nn2.bin in `folder`, checked as the game checks them;
// false, with the reason on stderr, when the game could not use them.
bool loadGameWeights(const std::string& folder, Nets& nets);

}  // namespace lumaro::train

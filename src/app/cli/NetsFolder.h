#pragma once
// Where lumaro-cli reads the weights when not told: beside it in the build folder, or where an
// installed program's files are (PREFIX/share/lumaro2 for PREFIX/bin/lumaro-cli).
#include <string>

namespace lumaro {

class NeuralNets;

// The folder of the running executable ("." when it cannot be found).
std::string executableFolder();
// The weights' folder for a program in `programFolder`.
std::string netsFolderFor(const std::string& programFolder);
inline std::string defaultNetsFolder() { return netsFolderFor(executableFolder()); }

// Reads the expert level's networks from `folder`. When they lack weights, says which file and why
// on stderr and returns false: level 3 without them would only pretend to be the expert.
bool loadExpertNets(NeuralNets& nets, const std::string& folder);

}  // namespace lumaro

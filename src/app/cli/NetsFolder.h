#pragma once
// Where lumaro-cli reads the weights when not told: beside it in the build folder, or where an
// installed program's files are (PREFIX/share/lumaro2 for PREFIX/bin/lumaro-cli).
#include <string>

namespace lumaro {

// The folder of the running executable ("." when it cannot be found).
std::string executableFolder();
// The weights' folder for a program in `programFolder`.
std::string netsFolderFor(const std::string& programFolder);
inline std::string defaultNetsFolder() { return netsFolderFor(executableFolder()); }

}  // namespace lumaro

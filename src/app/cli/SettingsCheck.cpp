#include "app/cli/SettingsCheck.h"

#include <algorithm>

#include "files/FileBytes.h"
#include "persistence/SettingsFile.h"

namespace lumaro {

std::string readSettingsStrictly(const std::string& path, Options& options, Scores& scores) {
    const auto bytes = readFileBytes(path, kLargestSettingsFile + 1);
    if (!bytes) return "cannot be read";
    if (!decodeSettings(*bytes, options, scores))
        return "not a settings file: it ends after " + std::to_string(bytes->size()) + " bytes, before its last field";
    // Every value in range comes back as it was read: a byte that does not was out of its field's
    // range, and bytes past the last field belong to no settings file.
    const std::vector<std::uint8_t> again = encodeSettings(options, scores);
    const auto [mine, theirs] = std::mismatch(again.begin(), again.end(), bytes->begin(), bytes->end());
    if (mine != again.end() && theirs != bytes->end())
        return "not a settings file: byte " + std::to_string(mine - again.begin()) + " holds " +
               std::to_string(*theirs) + ", a value its field does not take";
    if (mine != again.end()) return "not a settings file: a name in it is not one the game writes";
    if (theirs != bytes->end()) return "not a settings file: it goes on past its last field";
    return {};
}

}  // namespace lumaro

#include "persistence/KeptGameFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "files/FileBytes.h"
#include "persistence/SavedGameFile.h"

namespace lumaro {
namespace {

constexpr std::uint8_t kMagic[4] = {'L', 'M', '2', 'K'};
constexpr std::uint8_t kFormat = 1;
constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kKeptGameSize = kHeaderSize + kSavedGameSize;

// Moves a refused file out of the way under a name no other file has; empty when it could not.
std::string setAside(const std::string& path, const std::string& suffix) {
    namespace fs = std::filesystem;
    for (int n = 1; n <= 100; ++n) {
        const std::string aside = path + suffix + (n == 1 ? "" : "-" + std::to_string(n));
        std::error_code error;
        if (fs::exists(fs::path(aside), error) || error) continue;
        fs::rename(fs::path(path), fs::path(aside), error);
        return error ? std::string() : aside;
    }
    return {};
}

}  // namespace

std::vector<std::uint8_t> encodeKeptGame(const KeptGame& game) {
    std::vector<std::uint8_t> bytes(std::begin(kMagic), std::end(kMagic));
    bytes.push_back(kFormat);
    bytes.push_back(game.crawfordGame ? 1 : 0);
    const auto saved = encodeSavedGame(game.game);
    bytes.insert(bytes.end(), saved.begin(), saved.end());
    return bytes;
}

KeptGameResult decodeKeptGame(std::span<const std::uint8_t> bytes) {
    KeptGameResult result;
    const bool ours = bytes.size() > 4 && std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin());
    if (ours && bytes[4] > kFormat) {
        // A later version keeps more, or keeps it otherwise: whatever its length, it is not broken.
        result.newerVersion = true;
        result.error = "It was made by a newer version of Lumaro 2.";
        return result;
    }
    if (!ours || bytes.size() != kKeptGameSize) {
        result.error = "The file is not a kept game of this program.";
        return result;
    }
    if (bytes[4] != kFormat || bytes[5] > 1) {
        result.error = "The kept game was written in a form this program does not know.";
        return result;
    }
    const SavedGameResult saved = decodeSavedGame(bytes.subspan(kHeaderSize));
    if (!saved.ok) {
        result.error = saved.error;
        return result;
    }
    result.ok = true;
    result.game.game = saved.game;
    result.game.crawfordGame = bytes[5] == 1;
    return result;
}

bool KeptGameFile::keep(const KeptGame& game, std::string& whyNot) {
    const std::vector<std::uint8_t> bytes = encodeKeptGame(game);
    return writeFileAtomically(path_, bytes, &whyNot);
}

bool KeptGameFile::exists() const {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path_), error);
}

std::optional<KeptGameResult> KeptGameFile::take() {
    if (!exists()) return std::nullopt;
    // One byte more than a kept game holds tells a longer file from a kept game.
    const std::optional<std::vector<std::uint8_t>> bytes = readFileBytes(path_, kKeptGameSize + 1);
    KeptGameResult result;
    if (!bytes) {
        result.error = "The kept game could not be read.";
    } else {
        result = decodeKeptGame(*bytes);
    }
    if (!result.ok) result.setAsideAs = setAside(path_, result.newerVersion ? ".newer" : ".broken");
    return result;
}

KeptGameRefusal keptGameRefusal(const KeptGameResult& refused, const std::string& path) {
    KeptGameRefusal refusal;
    refusal.line1 = refused.newerVersion ? "The kept game was made by a newer version." : "The kept game could not be read.";
    // The name whole, then its folder: a long path may wrap, the name the player looks for not.
    auto nameInFolder = [](const std::string& file) {
        const std::filesystem::path p(file);
        const std::string folder = p.parent_path().string();
        return p.filename().string() + (folder.empty() ? "" : " in " + folder);
    };
    const std::string where = refused.setAsideAs.empty() ? "The file is still " + nameInFolder(path) + "."
                                                         : "The file is now " + nameInFolder(refused.setAsideAs) + ".";
    refusal.line2 = (refused.newerVersion ? std::string() : refused.error + " ") + where;
    return refusal;
}

void KeptGameFile::forget() {
    std::error_code error;
    std::filesystem::remove(std::filesystem::path(path_), error);
}

}  // namespace lumaro

#pragma once
// The kept game on disk: "LM2K", a format byte, the Crawford mark, then the 58 bytes of a saved
// game. Written atomically; a file that does not read as one whole is refused with the reason and
// put aside under another name, never deleted, so nothing the player had is lost.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "game/KeptGame.h"

namespace lumaro {

struct KeptGameResult {
    bool ok = false;
    KeptGame game;
    std::string error;
    bool newerVersion = false;  // a kept game of a later format: not broken, only not readable here
    std::string setAsideAs;     // where a refused file now is (empty when it could not be moved)
};

std::vector<std::uint8_t> encodeKeptGame(const KeptGame& game);
KeptGameResult decodeKeptGame(std::span<const std::uint8_t> bytes);

// The two lines that tell the player why a kept game at `path` did not come back, and where the
// file is now.
struct KeptGameRefusal {
    std::string line1;
    std::string line2;
};
KeptGameRefusal keptGameRefusal(const KeptGameResult& refused, const std::string& path);

class KeptGameFile : public KeptGameStore {
public:
    explicit KeptGameFile(std::string path) : path_(std::move(path)) {}

    bool keep(const KeptGame& game, std::string& whyNot) override;
    bool exists() const;
    // The kept game; nothing when there is none. A broken one is refused with the reason and
    // renamed to the first free name of PATH.broken, PATH.broken-2, ...; one made by a newer
    // version of the program to PATH.newer, PATH.newer-2, ..., for that version to find again.
    std::optional<KeptGameResult> take();
    // Forgets the kept game once it is on the board again, or the player declined it.
    void forget();
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace lumaro

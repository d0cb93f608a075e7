#include "persistence/SavedGameFile.h"

#include <utility>

#include "files/FileBytes.h"

namespace lumaro {

namespace {

// Offsets within the file.
constexpr std::size_t kCounts = 0;
constexpr std::size_t kColours = 24;
constexpr std::size_t kDieA = 48;
constexpr std::size_t kDieB = 49;
constexpr std::size_t kTurn = 50;
constexpr std::size_t kOffWhite = 51;
constexpr std::size_t kOffBlack = 52;
constexpr std::size_t kBarWhite = 53;
constexpr std::size_t kBarBlack = 54;
constexpr std::size_t kCubeValue = 55;
constexpr std::size_t kCubeOwnerWhite = 56;
constexpr std::size_t kCubeEnabled = 57;

SavedGameResult refuse(std::string error) {
    SavedGameResult result;
    result.error = std::move(error);
    return result;
}

std::string num(unsigned value) { return std::to_string(value); }

bool isCubeValue(unsigned value) {
    for (unsigned v = 1; v <= 64; v *= 2)
        if (value == v) return true;
    return false;
}

// The rule the game breaks, or an empty string when it is a possible one.
std::string brokenRule(const SavedGame& g) {
    const Position& pos = g.position;
    for (int p = 1; p <= 24; ++p) {
        if (pos.count[p] > kCheckersPerSide)
            return "Point " + num(p) + " holds " + num(pos.count[p]) + " checkers.";
        if (pos.count[p] > 0 && pos.colour[p] > 1)
            return "Point " + num(p) + " has colour byte " + num(pos.colour[p]) + ".";
    }
    if (int n = whiteCheckersOf(pos); n != kCheckersPerSide)
        return "White has " + num(n) + " checkers instead of 15.";
    if (int n = blackCheckersOf(pos); n != kCheckersPerSide)
        return "Black has " + num(n) + " checkers instead of 15.";
    // One side home with all fifteen ends the game before the other can finish too.
    if (pos.offWhite == kCheckersPerSide && pos.offBlack == kCheckersPerSide)
        return "Both sides have borne off all 15 checkers.";
    // Both dice 0: a game taken up before its roll, saved while it waits for it.
    const bool stillToRoll = g.dieA == 0 && g.dieB == 0;
    if (!stillToRoll && (g.dieA < 1 || g.dieA > 6 || g.dieB < 1 || g.dieB > 6))
        return "The dice " + num(g.dieA) + " and " + num(g.dieB) + " are not both between 1 and 6.";
    if (g.turn > 1) return "The turn byte is " + num(g.turn) + ".";
    if (!isCubeValue(g.cubeValue))
        return "The cube value " + num(g.cubeValue) + " is not a power of two from 1 to 64.";
    if (g.cubeOwnerWhite > 1) return "The cube owner byte is " + num(g.cubeOwnerWhite) + ".";
    if (g.cubeEnabled > 1) return "The doubling cube byte is " + num(g.cubeEnabled) + ".";
    return {};
}

}  // namespace

std::array<std::uint8_t, kSavedGameSize> encodeSavedGame(const SavedGame& g) {
    std::array<std::uint8_t, kSavedGameSize> out{};
    for (int p = 1; p <= 24; ++p) {
        out[kCounts + p - 1] = g.position.count[p];
        out[kColours + p - 1] = g.position.colour[p];
    }
    out[kDieA] = g.dieA;
    out[kDieB] = g.dieB;
    out[kTurn] = g.turn;
    out[kOffWhite] = g.position.offWhite;
    out[kOffBlack] = g.position.offBlack;
    out[kBarWhite] = g.position.barWhite;
    out[kBarBlack] = g.position.barBlack;
    out[kCubeValue] = g.cubeValue;
    out[kCubeOwnerWhite] = g.cubeOwnerWhite;
    out[kCubeEnabled] = g.cubeEnabled;
    return out;
}

SavedGameResult decodeSavedGame(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kSavedGameSize)
        return refuse("The file is too short to be a saved game (" + num(bytes.size()) +
                      " bytes, 58 needed).");
    // Whatever wrote more than a game did not write a saved game of ours.
    if (bytes.size() > kSavedGameSize) return refuse("The file is too long to be a saved game (more than 58 bytes).");
    SavedGame g;
    for (int p = 1; p <= 24; ++p) {
        g.position.count[p] = bytes[kCounts + p - 1];
        const std::uint8_t colour = bytes[kColours + p - 1];
        // An empty point's colour means nothing; only an occupied one must be 0 or 1.
        g.position.colour[p] = (g.position.count[p] == 0 && colour > 1) ? 0 : colour;
    }
    g.dieA = bytes[kDieA];
    g.dieB = bytes[kDieB];
    g.turn = bytes[kTurn];
    g.position.offWhite = bytes[kOffWhite];
    g.position.offBlack = bytes[kOffBlack];
    g.position.barWhite = bytes[kBarWhite];
    g.position.barBlack = bytes[kBarBlack];
    g.cubeValue = bytes[kCubeValue];
    g.cubeOwnerWhite = bytes[kCubeOwnerWhite];
    g.cubeEnabled = bytes[kCubeEnabled];

    if (std::string error = brokenRule(g); !error.empty()) return refuse(std::move(error));
    SavedGameResult result;
    result.ok = true;
    result.game = g;
    return result;
}

bool writeSavedGame(const std::string& path, const SavedGame& game, std::string* whyNot) {
    return writeFileAtomically(path, encodeSavedGame(game), whyNot);
}

SavedGameResult readSavedGame(const std::string& path) {
    // A game is 58 bytes; the byte past them is all it takes to refuse a longer file, so a huge
    // file costs no more than a right one.
    const auto bytes = readFileBytes(path, kSavedGameSize + 1);
    if (!bytes) return refuse("Cannot open " + path + ".");
    return decodeSavedGame(*bytes);
}

}  // namespace lumaro

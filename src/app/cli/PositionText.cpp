#include "app/cli/PositionText.h"

#include <sstream>

namespace lumaro {

std::optional<PositionAndRoll> parsePositionText(const std::string& text) {
    std::istringstream in(text);
    PositionAndRoll out;
    Position& pos = out.position;
    for (int p = 1; p <= 24; ++p) {
        int v = 0;
        if (!(in >> v) || v < -15 || v > 15) return std::nullopt;
        pos.count[p] = static_cast<Byte>(v < 0 ? -v : v);
        pos.colour[p] = v > 0 ? kWhite : kBlack;
    }
    char bar = 0;
    int counts[4] = {};
    int dice[2] = {};
    if (!(in >> bar) || bar != '|') return std::nullopt;
    for (int& c : counts)
        if (!(in >> c) || c < 0 || c > 15) return std::nullopt;
    if (!(in >> bar) || bar != '|') return std::nullopt;
    for (int& d : dice)
        if (!(in >> d) || d < 1 || d > 6) return std::nullopt;
    pos.barWhite = static_cast<Byte>(counts[0]);
    pos.barBlack = static_cast<Byte>(counts[1]);
    pos.offWhite = static_cast<Byte>(counts[2]);
    pos.offBlack = static_cast<Byte>(counts[3]);
    if (whiteCheckersOf(pos) != kCheckersPerSide || blackCheckersOf(pos) != kCheckersPerSide) return std::nullopt;
    out.dieA = static_cast<Byte>(dice[0]);
    out.dieB = static_cast<Byte>(dice[1]);
    return out;
}

}  // namespace lumaro

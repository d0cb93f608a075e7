#include "StateText.h"

namespace lumaro {

namespace {

char sideLetter(Side side) { return side == Side::White ? 'W' : 'B'; }

std::string pair(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }

}  // namespace

std::string stateText(const Position& pos, const MatchState& s) {
    std::string out = "points=";
    for (int p = 1; p <= 24; ++p) {
        const int n = pos.count[p];
        out += std::to_string(pos.hasWhite(p) ? n : -n);
        out += p < 24 ? "," : "";
    }
    out += " bar=" + pair(pos.barWhite, pos.barBlack);
    out += " off=" + pair(pos.offWhite, pos.offBlack);
    out += " cube=" + std::to_string(s.cube.value());
    out += std::string(" holder=") + (s.cube.centred() ? '-' : sideLetter(s.cube.ownerWhite() == 1 ? Side::White : Side::Black));
    out += std::string(" roll=") + sideLetter(s.onRoll);
    out += std::string(" act=") + sideLetter(s.toAct);
    out += " dice=" + pair(s.dieA, s.dieB);
    out += " double=" + std::to_string(s.doubleOffered ? 1 : 0);
    out += " resign=" + std::to_string(s.resignation);
    out += " state=" + std::to_string(static_cast<int>(s.phase));
    out += " length=" + std::to_string(s.matchLength);
    out += " score=" + pair(s.score[Side::White], s.score[Side::Black]);
    out += " crawford=" + std::to_string(s.crawford ? 1 : 0);
    out += " jacoby=" + std::to_string(s.jacoby ? 1 : 0);
    return out;
}

}  // namespace lumaro

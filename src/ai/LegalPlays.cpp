#include "ai/LegalPlays.h"

namespace lumaro {

LegalPlays::LegalPlays() : seen_(15) {}

int LegalPlays::generate(const Position& start, Byte dieA, Byte dieB) {
    found_.clear();
    seen_.clear();
    area_.level[0] = normalized(start);
    area_.bestPath = Play{};
    int pass = 1;
    // As the search does: a position met again in the same order of the dice has had its
    // continuations seen; met in the other order it is not a new play, but its continuations may be.
    auto keep = [&](const GeneratorWorkArea& w, int level) {
        const PositionSet::Seen seen = seen_.visit(w.level[level], w.hash[level], level, pass);
        if (seen == PositionSet::Seen::SamePass) return false;
        if (seen == PositionSet::Seen::New)
            found_.push_back(Found{LegalPlay{w.path, w.level[level]}, static_cast<Byte>(level),
                                   static_cast<Byte>(diceTotal(w.path))});
        return true;
    };
    fillDiceHigherFirst(area_, dieA, dieB);
    generateBlackPlays(area_, 1, keep);
    if (dieA != dieB) {
        pass = 2;
        fillDiceLowerFirst(area_, dieA, dieB);
        generateBlackPlays(area_, 1, keep);
    }
    // The most steps any play makes, then the most pips among those.
    int steps = 0, pips = 0;
    for (const Found& f : found_) {
        if (f.steps > steps) {
            steps = f.steps;
            pips = 0;
        }
        if (f.steps == steps && f.pips > pips) pips = f.pips;
    }
    int legal = 0;
    for (const Found& f : found_)
        if (f.steps == steps && f.pips == pips) found_[legal++] = f;
    return legal;
}

void LegalPlays::blackPlays(const Position& start, Byte dieA, Byte dieB, std::vector<LegalPlay>& out) {
    const int legal = generate(start, dieA, dieB);
    out.clear();
    for (int k = 0; k < legal; ++k) out.push_back(found_[k].play);
}

void LegalPlays::appendBlackResults(const Position& start, Byte dieA, Byte dieB, std::vector<Position>& out) {
    const int legal = generate(start, dieA, dieB);
    if (legal == 0) out.push_back(normalized(start));
    for (int k = 0; k < legal; ++k) out.push_back(found_[k].play.after);
}

}  // namespace lumaro

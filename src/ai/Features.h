#pragma once
// What the computer's analysis sees in a position, for one side (own) against the other.
#include <cstdint>

#include "rules/Position.h"

namespace lumaro {

struct PositionFeatures {
    std::uint16_t blots = 0;       // points with exactly one own checker
    std::uint16_t points = 0;      // points with two or more
    std::uint16_t blockade = 0;    // the strongest wall of own points in front of an opposing checker
    std::uint16_t backBlots = 0;   // own blots in the opponent's home board
    std::uint16_t homeBlots = 0;   // own blots in the own home board
    std::uint16_t anchors = 0;     // own points in the opponent's home board
    std::uint16_t homePoints = 0;  // own points in the own home board
    std::uint16_t backAdvance = 0; // how far the back checkers still have to go to leave
    std::uint16_t contact = 0;     // 1 while the sides can still hit each other
    std::uint16_t shots = 0;       // how exposed the own blots are
    std::uint16_t keyPoints = 0;
    std::uint16_t spread = 0;      // how evenly the own checkers stand on made points
    std::uint16_t progress = 0;
    std::uint16_t homeSpread = 0;
    std::uint16_t homeCount = 0;   // own checkers at home

    bool operator==(const PositionFeatures&) const = default;
};

PositionFeatures blackFeaturesOf(const Position& pos);
PositionFeatures whiteFeaturesOf(const Position& pos);

// 1 when a checker is on a bar or some black checker stands on a higher point than some white one.
int contactOf(const Position& pos);

// Race distances: 0 with all fifteen off, 7500 with all fifteen on the bar; larger is further from home.
int blackRaceDistance(const Position& pos);
int whiteRaceDistance(const Position& pos);

// Race category 0 (far ahead) .. 4 (far behind) of a side on the real board at the start of a turn,
// with the blockade conditions that make it 4.
int blackRaceCategory(const Position& board);
int whiteRaceCategory(const Position& board);
int raceCategoryOf(int ownDistance, int opponentDistance);

}  // namespace lumaro

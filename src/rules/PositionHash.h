#pragma once
// 64-bit hash keys of positions, kept up to date step by step by the play generator, so that a
// search can recognise a position it has already seen without reading the whole board again.
#include <array>
#include <cstdint>

#include "rules/Position.h"

namespace lumaro {

struct PositionKeys {
    std::array<std::array<std::array<std::uint64_t, 16>, 2>, 25> point{};  // [point][colour][count], count 0 -> 0
    std::array<std::array<std::uint64_t, 16>, 2> bar{};                     // [colour][count]
    std::array<std::array<std::uint64_t, 16>, 2> off{};
};

// The fixed key tables (the same in every run).
const PositionKeys& positionKeys();

std::uint64_t positionHash(const Position& pos);

}  // namespace lumaro

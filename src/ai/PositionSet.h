#pragma once
// A fixed-size set of positions seen during one search, each with the generator level and pass
// it was first seen at. Allocated once; clearing is a new stamp, not a sweep. When it is full it
// simply stops remembering, which costs speed, never correctness.
#include <cstdint>
#include <vector>

#include "rules/Position.h"

namespace lumaro {

class PositionSet {
public:
    enum class Seen { New, SamePass, OtherPass };

    explicit PositionSet(int capacityLog2);
    void clear();
    // Looks the position (with its positionHash) up at this level; remembers it when new.
    Seen visit(const Position& pos, std::uint64_t hash, int level, int pass);

private:
    // The probe walks small slots; the positions themselves are read only when a hash matches.
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t stamp = 0;
        Byte level = 0;
        Byte pass = 0;
    };
    std::vector<Slot> slots_;
    std::vector<Position> positions_;
    std::size_t mask_;
    std::size_t used_ = 0;
    std::uint32_t stamp_ = 1;
};

}  // namespace lumaro

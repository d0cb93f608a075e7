#include "ai/PositionSet.h"

#include <cstring>

namespace lumaro {

static_assert(sizeof(Position) == 54, "positions are compared and hashed as bytes");

PositionSet::PositionSet(int capacityLog2)
    : slots_(std::size_t{1} << capacityLog2), positions_(slots_.size()), mask_(slots_.size() - 1) {}

void PositionSet::clear() {
    used_ = 0;
    if (++stamp_ == 0) {
        for (Slot& s : slots_) s.stamp = 0;
        stamp_ = 1;
    }
}

PositionSet::Seen PositionSet::visit(const Position& pos, std::uint64_t positionKey, int level, int pass) {
    const std::uint64_t hash = positionKey ^ (0x9e3779b97f4a7c15ull * static_cast<std::uint64_t>(level));
    std::size_t i = (hash ^ (hash >> 32)) & mask_;
    for (std::size_t probe = 0; probe < 32; ++probe, i = (i + 1) & mask_) {
        Slot& s = slots_[i];
        if (s.stamp != stamp_) {
            if (used_ * 2 > slots_.size()) return Seen::New;  // full enough: stop remembering
            s = Slot{hash, stamp_, static_cast<Byte>(level), static_cast<Byte>(pass)};
            positions_[i] = pos;
            ++used_;
            return Seen::New;
        }
        if (s.hash == hash && s.level == level && std::memcmp(&positions_[i], &pos, sizeof(Position)) == 0)
            return s.pass == pass ? Seen::SamePass : Seen::OtherPass;
    }
    return Seen::New;
}

}  // namespace lumaro

#include "rules/PositionId.h"

#include <array>

#include "rules/IdBits.h"

namespace lumaro {

namespace {

// The key: for the side not on roll, then for the side on roll, each of its own points 1..24
// (1 is the deepest of its home board) and then its bar, as many 1 bits as it has checkers there
// followed by a 0 bit. At most 30 ones and 50 zeros: 80 bits.
constexpr std::size_t kKeyBytes = 10;
constexpr int kSlots = 25;  // 24 points and the bar, from the side's own view
constexpr int kBarSlot = 24;

// A side's own point k (1..24) is this board's point k for Black, 25 - k for White.
int boardPoint(Side side, int ownPoint) { return side == Side::Black ? ownPoint : 25 - ownPoint; }

// Checkers of a side on its own slots 0..24 (own points 1..24, then the bar).
std::array<int, kSlots> slotsOf(const Position& pos, Side side) {
    std::array<int, kSlots> slots{};
    const Byte colour = colourOf(side);
    for (int k = 1; k <= 24; ++k) {
        const int p = boardPoint(side, k);
        if (pos.count[p] > 0 && pos.colour[p] == colour) slots[k - 1] = pos.count[p];
    }
    slots[kBarSlot] = side == Side::White ? pos.barWhite : pos.barBlack;
    return slots;
}

std::string sideName(Side side) { return side == Side::White ? "White" : "Black"; }

}  // namespace

std::string encodePositionId(const Position& pos, Side onRoll) {
    IdBits key(kKeyBytes);
    int next = 0;
    for (Side side : {otherSide(onRoll), onRoll}) {
        for (int n : slotsOf(pos, side)) {
            for (int k = 0; k < n; ++k) key.set(next++);
            ++next;  // the 0 that ends the slot
        }
    }
    return base64Of(key.bytes());
}

PositionIdResult decodePositionId(std::string_view id, Side onRoll) {
    PositionIdResult result;
    IdBits key(kKeyBytes);
    if (!readBase64(id, key.bytes(), "The position ID", result.error)) return result;

    Position pos;
    int next = 0;
    for (Side side : {otherSide(onRoll), onRoll}) {
        int total = 0;
        for (int slot = 0; slot < kSlots; ++slot) {
            int n = 0;
            while (key.bit(next)) {
                ++next;
                if (++total > kCheckersPerSide) {
                    result.error = "The position ID gives " + sideName(side) + " more than 15 checkers.";
                    return result;
                }
                ++n;
            }
            ++next;  // at most 15 ones a side and 50 zeros: never past the 80 bits
            if (slot == kBarSlot) {
                (side == Side::White ? pos.barWhite : pos.barBlack) = static_cast<Byte>(n);
                continue;
            }
            if (n == 0) continue;
            const int p = boardPoint(side, slot + 1);
            if (pos.count[p] > 0) {
                result.error = "The position ID puts checkers of both sides on " + sideName(side) + "'s " +
                               std::to_string(slot + 1) + "-point.";
                return result;
            }
            pos.count[p] = static_cast<Byte>(n);
            pos.colour[p] = colourOf(side);
        }
        (side == Side::White ? pos.offWhite : pos.offBlack) = static_cast<Byte>(kCheckersPerSide - total);
    }
    for (int i = next; i < key.bitCount(); ++i) {
        if (key.bit(i)) {
            result.error = "The position ID has bits set after the last checker.";
            return result;
        }
    }
    if (pos.offWhite == kCheckersPerSide && pos.offBlack == kCheckersPerSide) {
        result.error = "The position ID has no checker of either side on the board.";
        return result;
    }
    result.ok = true;
    result.position = normalized(pos);
    return result;
}

}  // namespace lumaro

#pragma once
// The bits behind the position and match IDs that backgammon programs exchange: a string of bits
// packed little-endian into bytes (bit 0 is the lowest bit of the first byte), written in base64
// without the '=' padding.
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "rules/Position.h"

namespace lumaro {

class IdBits {
public:
    static constexpr std::size_t kMostBytes = 10;  // a position ID's key; a match ID's is 9

    explicit IdBits(std::size_t bytes) : size_(bytes < kMostBytes ? bytes : kMostBytes) {}

    int bitCount() const { return static_cast<int>(size_ * 8); }
    bool bit(int i) const { return i >= 0 && i < bitCount() && (bytes_[i / 8] >> (i % 8) & 1) != 0; }
    // A bit past the end is dropped, so a writer given too many checkers cannot run off the bytes.
    void set(int i) {
        if (i >= 0 && i < bitCount()) bytes_[i / 8] = static_cast<Byte>(bytes_[i / 8] | 1 << (i % 8));
    }
    // `count` bits from bit `first`, the first of them the lowest of the value.
    unsigned field(int first, int count) const {
        unsigned value = 0;
        for (int k = 0; k < count; ++k)
            if (bit(first + k)) value |= 1u << k;
        return value;
    }
    void setField(int first, int count, unsigned value) {
        for (int k = 0; k < count; ++k)
            if (value >> k & 1) set(first + k);
    }

    std::span<Byte> bytes() { return {bytes_.data(), size_}; }
    std::span<const Byte> bytes() const { return {bytes_.data(), size_}; }

private:
    std::array<Byte, kMostBytes> bytes_{};
    std::size_t size_;
};

// Base64 of the bytes, the last character padded with zero bits and no '=' after it.
std::string base64Of(std::span<const Byte> bytes);

// Fills `out` from `text`, which must be exactly as long as base64Of(out) would be. On failure
// returns false with `whyNot` naming the fault; `what` names the text in it ("The position ID").
bool readBase64(std::string_view text, std::span<Byte> out, const char* what, std::string& whyNot);

}  // namespace lumaro

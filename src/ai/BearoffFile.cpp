// The bear-off table's file, so that a program run reads it in milliseconds instead of working it
// out again. The layout, every number little-endian:
//   8 bytes   "LMBOFF01"
//   u32       the boards (BearoffDatabase::kBoards)
//   u32       the chances kept, N
//   2 x boards windows of 6 bytes: u32 offset into the chances, u8 first roll, u8 rolls kept
//             (every board's all-off window, then every board's first-off window)
//   N x u16   the chances, fractions of 65535
//   u64       FNV-1a of every byte before it
// A file is taken only whole: the exact size its counts give, its checksum, every window inside
// the chances and every distribution adding up to 1. Anything else is worked out again.
#include <array>
#include <cstring>

#include "ai/BearoffDatabase.h"
#include "files/FileBytes.h"

namespace lumaro {
namespace {

constexpr std::array<char, 8> kMagic{'L', 'M', 'B', 'O', 'F', 'F', '0', '1'};
constexpr std::size_t kHeaderBytes = kMagic.size() + 4 + 4;
constexpr std::size_t kWindowBytes = 6;
constexpr std::size_t kChecksumBytes = 8;
// No distribution reaches further than this many rolls (the build's own width).
constexpr int kMostRolls = 32;
constexpr std::size_t kMostChances = static_cast<std::size_t>(BearoffDatabase::kBoards) * 2 * kMostRolls;
constexpr std::size_t kMostBytes =
    kHeaderBytes + 2 * BearoffDatabase::kBoards * kWindowBytes + kMostChances * 2 + kChecksumBytes;

std::uint64_t fnv1a(const std::uint8_t* bytes, std::size_t n) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < n; ++i) {
        hash ^= bytes[i];
        hash *= 1099511628211ull;
    }
    return hash;
}

void putNumber(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint64_t numberAt(const std::vector<std::uint8_t>& in, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(in[at + i]) << (8 * i);
    return value;
}

}  // namespace

std::vector<std::uint8_t> BearoffDatabase::toBytes() const {
    std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
    putNumber(out, kBoards, 4);
    putNumber(out, chances_.size(), 4);
    for (const std::vector<Window>* windows : {&allOff_, &firstOff_})
        for (const Window& w : *windows) {
            putNumber(out, w.offset, 4);
            putNumber(out, w.first, 1);
            putNumber(out, w.count, 1);
        }
    for (const std::uint16_t chance : chances_) putNumber(out, chance, 2);
    putNumber(out, fnv1a(out.data(), out.size()), 8);
    return out;
}

std::optional<BearoffDatabase> BearoffDatabase::fromBytes(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kHeaderBytes + kChecksumBytes) return std::nullopt;
    if (std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0) return std::nullopt;
    if (numberAt(bytes, kMagic.size(), 4) != static_cast<std::uint64_t>(kBoards)) return std::nullopt;
    const std::uint64_t chances = numberAt(bytes, kMagic.size() + 4, 4);
    if (chances > kMostChances) return std::nullopt;
    const std::size_t windowsAt = kHeaderBytes;
    const std::size_t chancesAt = windowsAt + 2 * kBoards * kWindowBytes;
    const std::size_t checksumAt = chancesAt + chances * 2;
    if (bytes.size() != checksumAt + kChecksumBytes) return std::nullopt;
    if (numberAt(bytes, checksumAt, 8) != fnv1a(bytes.data(), checksumAt)) return std::nullopt;

    BearoffDatabase db;
    db.chances_.resize(chances);
    for (std::size_t i = 0; i < chances; ++i)
        db.chances_[i] = static_cast<std::uint16_t>(numberAt(bytes, chancesAt + 2 * i, 2));
    std::size_t at = windowsAt;
    for (std::vector<Window>* windows : {&db.allOff_, &db.firstOff_}) {
        windows->resize(kBoards);
        for (Window& w : *windows) {
            w.offset = static_cast<std::uint32_t>(numberAt(bytes, at, 4));
            w.first = bytes[at + 4];
            w.count = bytes[at + 5];
            at += kWindowBytes;
            if (w.count == 0 || w.first + w.count > kMostRolls || w.offset + std::uint64_t{w.count} > chances)
                return std::nullopt;
            // Each chance was rounded on its own: the sum is 1 within half a step a chance.
            long sum = 0;
            for (int k = 0; k < w.count; ++k) sum += db.chances_[w.offset + k];
            if (sum < 65535 - w.count || sum > 65535 + w.count) return std::nullopt;
        }
    }
    return db;
}

BearoffDatabase BearoffDatabase::readOrBuild(const std::string& path) {
    if (const auto bytes = readFileBytes(path, kMostBytes + 1))
        if (auto db = fromBytes(*bytes)) return std::move(*db);
    return build();
}

}  // namespace lumaro

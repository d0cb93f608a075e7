#include "persistence/SettingsFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "game/PlayerName.h"
#include "files/FileBytes.h"

namespace lumaro {

namespace {

// Walks the file field by field. Once a field runs past the end, every later field is
// left alone, because its offset can no longer be trusted.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool ranOut() const { return ranOut_; }

    // A little-endian unsigned value of `size` bytes, or nothing past the end.
    std::optional<std::uint32_t> take(std::size_t size) {
        if (ranOut_ || bytes_.size() - at_ < size) {
            ranOut_ = true;
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) value |= std::uint32_t{bytes_[at_ + i]} << (8 * i);
        at_ += size;
        return value;
    }

    // `length` characters, one byte each, or nothing past the end.
    std::optional<std::string> takeText(std::size_t length) {
        if (ranOut_ || bytes_.size() - at_ < length) {
            ranOut_ = true;
            return std::nullopt;
        }
        std::string text(bytes_.begin() + at_, bytes_.begin() + at_ + length);
        at_ += length;
        return text;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ranOut_ = false;
};

// Every value is checked as it is read: the game indexes tables with several of them,
// so one that is out of range takes its default instead.

void readFlag(FieldReader& in, bool& field, bool fallback) {
    if (auto v = in.take(1)) field = *v <= 1 ? *v == 1 : fallback;
}

void readLevel(FieldReader& in, Level& field, Level fallback) {
    if (auto v = in.take(1)) field = levelFromNumber(static_cast<int>(*v)).value_or(fallback);
}

void readByteIn(FieldReader& in, std::uint8_t& field, unsigned lo, unsigned hi,
                std::uint8_t fallback) {
    if (auto v = in.take(1)) field = (*v >= lo && *v <= hi) ? static_cast<std::uint8_t>(*v) : fallback;
}

void readSlider(FieldReader& in, std::int8_t& field, std::int8_t fallback) {
    if (auto v = in.take(1)) {
        const auto value = static_cast<std::int8_t>(*v);
        field = (value >= -2 && value <= 2) ? value : fallback;
    }
}

void readCheckerSpeed(FieldReader& in, std::uint16_t& field, std::uint16_t fallback) {
    if (auto v = in.take(2)) {
        const bool known = *v == 10000 || *v == 16 || *v == 10 || *v == 4;
        field = known ? static_cast<std::uint16_t>(*v) : fallback;
    }
}

// A match score is below the match length: one that reached it would have ended the match.
void readMatchScore(FieldReader& in, std::uint16_t& field, unsigned matchLength) {
    if (auto v = in.take(2)) field = *v < matchLength ? static_cast<std::uint16_t>(*v) : 0;
}

// The other score counters may hold any value.
void readWord(FieldReader& in, std::uint16_t& field) {
    if (auto v = in.take(2)) field = static_cast<std::uint16_t>(*v);
}

void readLong(FieldReader& in, std::uint32_t& field) {
    if (auto v = in.take(4)) field = *v;
}

// A name whose characters run past the end, or that is longer than the field allows,
// takes its default.
void readText(FieldReader& in, std::string& field, std::size_t maxLength,
              const std::string& fallback) {
    auto length = in.take(1);
    if (!length) return;
    auto text = in.takeText(*length);
    field = (text && text->size() <= maxLength) ? *text : fallback;
}

void putByte(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
}

void putWord(std::vector<std::uint8_t>& out, std::uint16_t value) {
    putByte(out, value & 0xFF);
    putByte(out, value >> 8);
}

void putLong(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) putByte(out, (value >> (8 * i)) & 0xFF);
}

void putText(std::vector<std::uint8_t>& out, const std::string& text, std::size_t maxLength) {
    const std::string kept = text.substr(0, maxLength);
    putByte(out, static_cast<unsigned>(kept.size()));
    out.insert(out.end(), kept.begin(), kept.end());
}

}  // namespace

bool decodeSettings(std::span<const std::uint8_t> bytes, Options& o, Scores& s) {
    const Options d;
    FieldReader in(bytes);
    readCheckerSpeed(in, o.checkerSpeed, d.checkerSpeed);
    readByteIn(in, o.checkerColours, 1, 3, d.checkerColours);
    readFlag(in, o.homeRight, d.homeRight);
    readFlag(in, o.showBarDots, d.showBarDots);
    readFlag(in, o.showBarNumbers, d.showBarNumbers);
    readFlag(in, o.cubeEnabled, d.cubeEnabled);
    readFlag(in, o.crawfordRule, d.crawfordRule);
    readFlag(in, o.jacobyRule, d.jacobyRule);
    readFlag(in, o.matchPlay, d.matchPlay);
    readByteIn(in, o.matchLength, 1, 255, d.matchLength);
    readMatchScore(in, s.whiteMatchScore, o.matchLength);
    readMatchScore(in, s.blackMatchScore, o.matchLength);
    readWord(in, s.whiteMatchesWon);
    readWord(in, s.blackMatchesWon);
    readLong(in, s.blackPointsTotal);
    readLong(in, s.whitePointsTotal);
    readWord(in, s.blackGamesWon);
    readWord(in, s.whiteGamesWon);
    readFlag(in, o.alternateFirstMove, d.alternateFirstMove);
    readFlag(in, o.modernSkin, d.modernSkin);
    // The colour scheme again; this copy is the one that counts.
    readByteIn(in, o.checkerColours, 1, 3, d.checkerColours);
    readFlag(in, o.normalNet, d.normalNet);
    readFlag(in, o.showBorneOff, d.showBorneOff);
    readFlag(in, o.showPipCount, d.showPipCount);
    readFlag(in, o.soundFx, d.soundFx);
    readFlag(in, o.humanOpponent, d.humanOpponent);
    readFlag(in, o.localPlay, d.localPlay);
    readFlag(in, o.listenOption, d.listenOption);
    readFlag(in, o.automaticDice, d.automaticDice);
    readFlag(in, o.showLocalTime, d.showLocalTime);
    readFlag(in, o.showGameDuration, d.showGameDuration);
    readFlag(in, o.chatKeyEnabled, d.chatKeyEnabled);
    readFlag(in, o.autohideChat, d.autohideChat);
    readSlider(in, o.attackSlider, d.attackSlider);
    readSlider(in, o.riskSlider, d.riskSlider);
    readSlider(in, o.strategySlider, d.strategySlider);
    readLevel(in, o.computerLevel, d.computerLevel);
    readFlag(in, o.doublesAlwaysAccepted, d.doublesAlwaysAccepted);
    readFlag(in, o.noBackgammonScoring, d.noBackgammonScoring);
    readFlag(in, o.slowThinking, d.slowThinking);
    // The name is Latin-1 in the file, UTF-8 in the game.
    std::string name = nameToBytes(o.playerName);
    readText(in, name, Options::kMaxPlayerName, nameToBytes(d.playerName));
    o.playerName = nameFromBytes(name);
    readText(in, o.remoteAddress, Options::kMaxRemoteAddress, d.remoteAddress);
    return !in.ranOut();
}

std::vector<std::uint8_t> encodeSettings(const Options& o, const Scores& s) {
    std::vector<std::uint8_t> out;
    putWord(out, o.checkerSpeed);
    putByte(out, o.checkerColours);
    putByte(out, o.homeRight);
    putByte(out, o.showBarDots);
    putByte(out, o.showBarNumbers);
    putByte(out, o.cubeEnabled);
    putByte(out, o.crawfordRule);
    putByte(out, o.jacobyRule);
    putByte(out, o.matchPlay);
    putByte(out, o.matchLength);
    putWord(out, s.whiteMatchScore);
    putWord(out, s.blackMatchScore);
    putWord(out, s.whiteMatchesWon);
    putWord(out, s.blackMatchesWon);
    putLong(out, s.blackPointsTotal);
    putLong(out, s.whitePointsTotal);
    putWord(out, s.blackGamesWon);
    putWord(out, s.whiteGamesWon);
    putByte(out, o.alternateFirstMove);
    putByte(out, o.modernSkin);
    putByte(out, o.checkerColours);
    putByte(out, o.normalNet);
    putByte(out, o.showBorneOff);
    putByte(out, o.showPipCount);
    putByte(out, o.soundFx);
    putByte(out, o.humanOpponent);
    putByte(out, o.localPlay);
    putByte(out, o.listenOption);
    putByte(out, o.automaticDice);
    putByte(out, o.showLocalTime);
    putByte(out, o.showGameDuration);
    putByte(out, o.chatKeyEnabled);
    putByte(out, o.autohideChat);
    putByte(out, static_cast<std::uint8_t>(o.attackSlider));
    putByte(out, static_cast<std::uint8_t>(o.riskSlider));
    putByte(out, static_cast<std::uint8_t>(o.strategySlider));
    putByte(out, static_cast<unsigned>(levelNumber(o.computerLevel)));
    putByte(out, o.doublesAlwaysAccepted);
    putByte(out, o.noBackgammonScoring);
    putByte(out, o.slowThinking);
    putText(out, nameToBytes(o.playerName), Options::kMaxPlayerName);
    putText(out, o.remoteAddress, Options::kMaxRemoteAddress);
    return out;
}

SettingsIo loadSettings(const std::string& path, Options& options, Scores& scores) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        if (ec) return SettingsIo::readFailed;
        options = Options{};
        scores = Scores{};
        return SettingsIo::missing;
    }
    // Bytes past the last field are ignored, so a huge file costs no more than a right one; the
    // byte past the largest settings keeps a longer file recognisable as longer.
    const auto bytes = readFileBytes(path, kLargestSettingsFile + 1);
    if (!bytes) return SettingsIo::readFailed;
    return decodeSettings(*bytes, options, scores) ? SettingsIo::ok : SettingsIo::shortFile;
}

bool saveSettingsFile(const std::string& path, const Options& options, const Scores& scores, std::string* whyNot) {
    return writeFileAtomically(path, encodeSettings(options, scores), whyNot);
}

namespace {

// The system's reason a file that is there cannot be read.
std::string whyUnreadable(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec) return ec.message();
    if (!std::filesystem::is_regular_file(status)) return "it is not a regular file";
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return errno ? std::strerror(errno) : "it cannot be opened";
    return "a read error";
}

}  // namespace

SettingsIo SettingsStore::load(Options& options, Scores& scores) {
    lastRead_ = loadSettings(path_, options, scores);
    readError_ = lastRead_ == SettingsIo::readFailed ? whyUnreadable(path_) : std::string();
    return lastRead_;
}

bool SettingsStore::save(const Options& options, const Scores& scores, std::string* whyNot) {
    if (writeRefused()) {
        if (whyNot) *whyNot = "it could not be read at start-up (" + readError_ + "), so it is left as it is";
        return false;
    }
    return saveSettingsFile(path_, options, scores, whyNot);
}

}  // namespace lumaro

#pragma once
// lm2.ini: every option and the running score totals as raw little-endian fields followed by
// the player's name and the remote address, each a length byte and its characters.
// There is no header, version or checksum.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "game/Options.h"
#include "game/Scores.h"

namespace lumaro {

inline constexpr std::size_t kDefaultSettingsFileSize = 61;
// The most a reader can use: the fixed fields, then two strings of up to 255 characters each
// (longer than the fields allow, such a string is read past and its default taken).
inline constexpr std::size_t kLargestSettingsFile = 53 + 1 + 255 + 1 + 255;

// How the last read of the settings file went. The game keeps it but never shows it.
enum class SettingsIo {
    ok,
    missing,     // no file: every field took its default
    shortFile,   // the file ended early: the fields past its end kept their values
    readFailed,  // the file exists but could not be read: nothing changed
};

// Reads the fields in file order. A field the bytes do not reach keeps its value in `options`
// or `scores`; a value outside its range takes its default. Returns false when the bytes
// ended before the last field.
bool decodeSettings(std::span<const std::uint8_t> bytes, Options& options, Scores& scores);

// The whole file. Names longer than their maximum are cut to it.
std::vector<std::uint8_t> encodeSettings(const Options& options, const Scores& scores);

// A missing file sets every field to its default and creates nothing.
SettingsIo loadSettings(const std::string& path, Options& options, Scores& scores);

// Writes the whole file; a failed save leaves the earlier file as it was and puts the system's reason
// in `whyNot` when given.
bool saveSettingsFile(const std::string& path, const Options& options, const Scores& scores,
                      std::string* whyNot = nullptr);

// lm2.ini as the program keeps it: read once at start-up and written whole afterwards. A file that
// is there but could not be read is never written over, so the player's name and scores in it
// outlive whatever kept the game from reading them (a permission, a disk error).
class SettingsStore {
public:
    explicit SettingsStore(std::string path) : path_(std::move(path)) {}

    SettingsIo load(Options& options, Scores& scores);
    // Writes the whole file, unless the last load found a file it could not read. False when
    // nothing was written, with the reason in `whyNot` when given.
    bool save(const Options& options, const Scores& scores, std::string* whyNot = nullptr);

    const std::string& path() const { return path_; }
    bool writeRefused() const { return lastRead_ == SettingsIo::readFailed; }
    // Why the last load could not read the file, in the system's words.
    const std::string& readError() const { return readError_; }

private:
    std::string path_;
    SettingsIo lastRead_ = SettingsIo::missing;
    std::string readError_;
};

}  // namespace lumaro

#pragma once
// Distillation's data: positions after a move, each with the value a one-roll look-ahead with a
// teacher's networks gives it. The teacher plays games with some random plays among its own for
// variety; every after-state that keeps contact becomes a sample, and so, with `siblings`, do the
// plays it nearly chose (the networks only ever score
// those), with the teacher's value averaged over the opponent's 21 rolls as its target. That
// target is what a search one roll deeper than the networks would say, without the luck of the
// one roll that came, which TD's targets carry.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Nets.h"

namespace lumaro::train {

struct Sample {
    Position after;  // after black's move, white to roll
    std::array<Byte, 2> unused{};  // the bytes before the float, zero so that files are reproducible
    float target = 0;  // from black's side, expected points / 3
};

struct SampleSettings {
    std::uint64_t seed = 1;
    double explore = 0.05;  // the chance of a random legal play instead of the teacher's best
    // Besides the after-state played, the next best plays of each roll by the teacher's networks,
    // up to this many in all: the networks choose among the plays of a roll, so they must rank
    // the ones close to the best as the look-ahead does, not only value the play that was made.
    int siblings = 1;
    int threads = 2;
    // Positions to start games from (seen by the side on roll, as Black) and the share of games that
    // start from one of them instead of the opening: positions of games against other players
    // reach places that the teacher's own games seldom go to.
    std::vector<Position> starts{};
    double startShare = 0.0;
};

// The positions of a start file, one GNU Backgammon position ID a line as the side on roll sees
// it. Lines that are not an ID, and positions without contact (no sample to learn), are counted in
// `refused` and left out.
std::vector<Position> readStartPositions(const std::string& path, int& refused);

// The samples of games [first, first + count) of the run seeded settings.seed, in game order: the
// same numbers and teacher give the same samples, whatever the thread count.
std::vector<Sample> collectSamples(const Nets& teacher, const SampleSettings& settings, std::int64_t first,
                                   std::int64_t count);

// Where each roll's samples start, then samples.size(). The after-states of one roll (the play made
// and its siblings) lie side by side and have the same opponent's checkers, but for blots one of
// them hits; the next roll's samples are the opponent's, mirrored, and have other ones.
std::vector<std::size_t> rollStarts(const std::vector<Sample>& samples);

// A sample file is a header (magic, seed) and then blocks, each the number of games it covers,
// its number of samples and the samples. A block is written whole and flushed, so a stopped
// collection resumes after its last whole block.
struct SampleFile {
    std::uint64_t seed = 0;
    std::int64_t games = 0;  // the games the whole blocks cover
    std::uint64_t wholeBytes = 0;  // where the last whole block ends: a resumed collection cuts the file there
    std::vector<Sample> samples;
};

// Reads the whole blocks of `path`; false when it is missing or has another header. A damaged or
// cut last block is left out.
bool readSamples(const std::string& path, SampleFile& file);
// Starts a new file (header only); false when it cannot be written.
bool startSampleFile(const std::string& path, std::uint64_t seed);
// Appends one block; false when it cannot be written.
bool appendSamples(const std::string& path, std::int64_t games, const std::vector<Sample>& samples);

}  // namespace lumaro::train

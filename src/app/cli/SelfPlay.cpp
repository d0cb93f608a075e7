#include "app/cli/SelfPlay.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>
#include <unistd.h>
#include <vector>

#include "ai/MasterSearch.h"
#include "ai/MoveSearch.h"
#include "ai/NeuralNets.h"
#include "ai/OpeningBook.h"
#include "app/cli/CommandLine.h"
#include "app/cli/NetsFolder.h"
#include "game/SearchSetup.h"
#include "persistence/MatFile.h"

namespace lumaro {

std::optional<AnalysisSettings> parsePlayer(const std::string& text) {
    AnalysisSettings s;
    if (text.empty() || text[0] < '1' || text[0] > '3') return std::nullopt;
    s.computerLevel = *levelFromNumber(text[0] - '0');
    s.slowThinking = true;  // level 2 plays "Slow (best)" unless told otherwise
    if (text.size() == 1) return s;
    if (text[1] != ':') return std::nullopt;
    std::size_t at = 2;
    while (at <= text.size()) {
        const std::size_t comma = text.find(',', at);
        const std::string option = text.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
        const std::size_t eq = option.find('=');
        if (option == "slow") {
            s.slowThinking = true;
        } else if (option == "fast") {
            s.slowThinking = false;
        } else if (option == "normal") {
            s.normalNet = true;
        } else if (option == "aggressive") {
            s.normalNet = false;
        } else if (eq != std::string::npos) {
            const std::string name = option.substr(0, eq);
            char* end = nullptr;
            const long v = std::strtol(option.c_str() + eq + 1, &end, 10);
            if (*end != '\0' || eq + 1 == option.size() || v < -2 || v > 2) return std::nullopt;
            const auto slider = static_cast<std::int8_t>(v);
            if (name == "attack")
                s.attackSlider = slider;
            else if (name == "risk")
                s.riskSlider = slider;
            else if (name == "strategy")
                s.strategySlider = slider;
            else
                return std::nullopt;
        } else {
            return std::nullopt;
        }
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    return s;
}

int masterDepthOfPlayer(const std::string& text) {
    if (text == "master" || text == "master:2") return 2;
    if (text == "master:1") return 1;
    return 0;
}

Play selfPlayChoice(MoveSearch& search, const MatchConfig& config, const Position& pos, Byte dieA, Byte dieB,
                    bool aToMove, bool openingRoll, const std::function<int()>& draw100) {
    // The starter's first roll, the opponent not having rolled: the game plays it from the book.
    if (openingRoll) return openingPlay(dieA, dieB, false, draw100);
    const SearchRequest r =
        searchRequestFor(pos, dieA, dieB, true, aToMove ? config.a : config.b, aToMove ? config.netsA : config.netsB);
    const SearchResult result = search.search(r);
    return diceTotal(result.bestPath) == 0 ? Play{} : result.playToMake();
}

namespace {

// Dice for one game: splitmix64, seeded from the match seed and the game's number.
class GameDice {
public:
    GameDice(std::uint64_t seed, int game) : state_(seed * 0x9E3779B97F4A7C15ull ^ (static_cast<std::uint64_t>(game) + 1) * 0xD1B54A32D192ED03ull) {}
    Byte die() { return static_cast<Byte>(next() % 6 + 1); }
    int below100() { return static_cast<int>(next() % 100); }

private:
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint64_t state_;
};

constexpr int kMaxPlies = 10000;

// One game; the points it gives A (negative when B wins), or nothing when it never ends. With
// `turns` every turn is kept there.
std::optional<int> playGame(const MatchConfig& config, int game, MoveSearch& search, MasterSearch& master,
                            std::vector<SelfPlayTurn>* turns = nullptr) {
    GameDice dice(config.seed, game);
    // The opening book's draw between two lines has its own stream, so the dice stay the same.
    GameDice bookDraw(~config.seed, game);
    bool aToMove = game % 2 == 0;
    Position pos = startingPosition();  // always seen by the side to move, as Black
    Byte dieA = dice.die();
    Byte dieB = dice.die();
    while (dieB == dieA) dieB = dice.die();  // the opening roll: the starter plays two different dice
    for (int ply = 0; ply < kMaxPlies; ++ply) {
        // The Master plays every roll itself, the opening one too.
        const int masterDepth = aToMove ? config.masterDepthA : config.masterDepthB;
        Play play{};
        if (masterDepth > 0) {
            const std::vector<MasterPlay> plays =
                master.rank(aToMove ? config.netsA : config.netsB, pos, dieA, dieB, masterDepth);
            if (!plays.empty()) play = plays.front().play;
        } else {
            play = selfPlayChoice(search, config, pos, dieA, dieB, aToMove, ply == 0,
                                  [&bookDraw] { return bookDraw.below100(); });
        }
        if (turns) turns->push_back(SelfPlayTurn{aToMove, dieA, dieB, play});
        const Position after = afterBlackPlay(pos, play);
        if (after.offBlack == kCheckersPerSide) {
            const int points = blackWinPoints(after);
            return aToMove ? points : -points;
        }
        pos = mirrored(after);
        aToMove = !aToMove;
        dieA = dice.die();
        dieB = dice.die();
    }
    return std::nullopt;
}

}  // namespace

MatchResult playMatch(const MatchConfig& config) {
    std::vector<std::optional<int>> points(static_cast<std::size_t>(std::max(config.games, 0)));
    std::vector<SelfPlayGame> played(config.keepGames ? points.size() : 0);
    const int threads = std::max(1, config.threads);
    auto worker = [&](int first) {
        auto search = std::make_unique<MoveSearch>();
        auto master = std::make_unique<MasterSearch>();
        for (int g = first; g < config.games; g += threads) {
            const auto at = static_cast<std::size_t>(g);
            points[at] = playGame(config, g, *search, *master, config.keepGames ? &played[at].turns : nullptr);
            if (config.keepGames) played[at].pointsA = points[at];
        }
    };
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) pool.emplace_back(worker, t);
    for (auto& t : pool) t.join();

    MatchResult m;
    m.played = std::move(played);
    double sumSquares = 0;
    for (const auto& p : points) {
        if (!p) {
            ++m.overlong;
            continue;
        }
        ++m.games;
        m.pointsA += *p;
        sumSquares += static_cast<double>(*p) * *p;
        SideTally& winner = *p > 0 ? m.a : m.b;
        const int size = std::abs(*p);
        ++winner.wins;
        if (size == 2) ++winner.gammons;
        if (size == 3) ++winner.backgammons;
    }
    if (m.games > 0) {
        m.ppg = static_cast<double>(m.pointsA) / m.games;
        if (m.games > 1) {
            const double variance = (sumSquares - m.games * m.ppg * m.ppg) / (m.games - 1);
            m.stderrPpg = std::sqrt(std::max(variance, 0.0) / m.games);
        }
    }
    return m;
}

MatchRecord recordOf(const std::vector<SelfPlayGame>& games) {
    MatchRecorder recorder;
    for (const SelfPlayGame& game : games) {
        recorder.startGame(0, 0, 0, false);
        for (const SelfPlayTurn& turn : game.turns) {
            const Side side = turn.aToMove ? Side::White : Side::Black;
            recorder.rolled(side, turn.dieA, turn.dieB);
            // The mover sees the board as Black: White's points are the mirror image. An entry's
            // point does not matter, the recorder enters from the bar.
            for (int k = 1; k <= 4 && turn.play[k].die != 0; ++k) {
                const int point = turn.play[k].point;
                recorder.stepMade(side, side == Side::White ? 25 - point : point, turn.play[k].die);
            }
        }
        if (game.pointsA) recorder.gameEnded(*game.pointsA > 0 ? Side::White : Side::Black, std::abs(*game.pointsA));
    }
    return recorder.record();
}

namespace {

constexpr const char* kSelfPlayUsage =
    "usage: lumaro-cli selfplay --games N --seed S --a PLAYER --b PLAYER\n"
    "                           [--nets DIR] [--nets-b DIR] [--threads T] [--record FILE.mat]\n"
    "  PLAYER: LEVEL[:options] or master[:1|2] (the Master at depth 1 or 2)\n"
    "  options: slow, fast, normal, aggressive, attack=N, risk=N, strategy=N (N in -2..2)\n";

// A player as --a and --b take one.
CLI::Validator playerText() {
    return CLI::Validator(
        [](const std::string& text) -> std::string {
            if (masterDepthOfPlayer(text) > 0 || parsePlayer(text)) return {};
            return "'" + text + "' is no player: LEVEL[:options] or master[:1|2]";
        },
        "PLAYER");
}

}  // namespace

int selfPlayCommand(int argc, char** argv) {
    MatchConfig config;
    std::string playerA, playerB;
    std::string netsFolder = defaultNetsFolder();
    std::string netsFolderB;
    std::string recordPath;
    CLI::App app;
    app.add_option("--games", config.games)->required()->transform(cli::wholeNumber(1, INT_MAX));
    app.add_option("--seed", config.seed)->transform(cli::seedNumber());
    app.add_option("--a", playerA)->required()->check(playerText());
    app.add_option("--b", playerB)->required()->check(playerText());
    app.add_option("--nets", netsFolder)->check(CLI::ExistingDirectory);
    app.add_option("--nets-b", netsFolderB)->check(CLI::ExistingDirectory);
    app.add_option("--threads", config.threads)->transform(cli::wholeNumber(1, 64));
    app.add_option("--record", recordPath);
    if (const auto status = cli::parseCommandLine(app, argc - 1, argv + 1, "lumaro-cli", kSelfPlayUsage))
        return *status;
    // The Master reads the expert's networks.
    config.masterDepthA = masterDepthOfPlayer(playerA);
    config.masterDepthB = masterDepthOfPlayer(playerB);
    const std::optional<AnalysisSettings> a = parsePlayer(config.masterDepthA > 0 ? "3" : playerA);
    const std::optional<AnalysisSettings> b = parsePlayer(config.masterDepthB > 0 ? "3" : playerB);
    config.a = *a;
    config.b = *b;
    config.keepGames = !recordPath.empty();
    auto netsA = std::make_unique<NeuralNets>();
    auto netsB = std::make_unique<NeuralNets>();
    // Only an expert reads networks, and it does not play without them.
    if (config.a.computerLevel == Level::Expert && !loadExpertNets(*netsA, netsFolder)) return 2;
    if (config.b.computerLevel == Level::Expert && !loadExpertNets(*netsB, netsFolderB.empty() ? netsFolder : netsFolderB)) return 2;
    config.netsA = netsA.get();
    config.netsB = netsB.get();

    const auto start = std::chrono::steady_clock::now();
    const MatchResult m = playMatch(config);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("games=%d ppg=%.4f stderr=%.4f points=%lld wins=%d gammons=%d backgammons=%d "
                "lost=%d gammons_lost=%d backgammons_lost=%d overlong=%d seconds=%.1f\n",
                m.games, m.ppg, m.stderrPpg, m.pointsA, m.a.wins, m.a.gammons, m.a.backgammons, m.b.wins,
                m.b.gammons, m.b.backgammons, m.overlong, seconds);
    if (!recordPath.empty()) {
        std::string why;
        if (!writeMatFile(recordPath, recordOf(m.played), MatHeader{"A", "B", ""}, &why)) {
            std::fprintf(stderr, "lumaro-cli: %s: %s\n", recordPath.c_str(), why.c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace lumaro

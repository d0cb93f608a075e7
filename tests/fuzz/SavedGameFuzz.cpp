// The saved-game reader on any bytes, followed by what loading does with a game it accepts: the
// board, phases and pips restored, the legal plays of the loaded roll, and the computer's choice for
// the side to move played out, with every position along the way a possible one.
//
// An input is a saved game file followed by a few more bytes. The game refuses a file longer than
// 58 bytes; here the bytes after the first 58 choose the computer's options (byte 58: level, thinking speed, network type; 59..61: the three sliders), so
// the fuzzer reaches every level with every kind of position.
#include <algorithm>
#include <memory>
#include <span>
#include <vector>

#include "ai/NeuralNets.h"
#include "rules/MaxDiceRule.h"
#include "fuzz/FuzzCheck.h"
#include "game/Game.h"
#include "game/PositionStats.h"
#include "persistence/SavedGameFile.h"
#include "support/FakeScreen.h"

using namespace lumaro;
using lumaro::fuzz::check;

namespace {

// What every position a game can reach has: fifteen checkers a side, none on a point beyond
// fifteen, and at most one side with all of them off.
void checkPossible(const Position& pos) {
    check(whiteCheckersOf(pos) == kCheckersPerSide && blackCheckersOf(pos) == kCheckersPerSide,
          "fifteen checkers a side");
    for (int p = 1; p <= 24; ++p) check(pos.count[p] <= kCheckersPerSide, "at most fifteen on a point");
    check(pos.offWhite < kCheckersPerSide || pos.offBlack < kCheckersPerSide, "at most one side borne off");
}

Options optionsFrom(std::span<const std::uint8_t> extra) {
    Options o;
    o.soundFx = false;
    o.humanOpponent = false;
    if (extra.size() > 0) {
        o.computerLevel = static_cast<Level>(extra[0] % 3 + 1);
        o.slowThinking = (extra[0] >> 2 & 1) != 0;
        o.normalNet = (extra[0] >> 3 & 1) != 0;
    }
    std::int8_t* sliders[] = {&o.attackSlider, &o.riskSlider, &o.strategySlider};
    for (std::size_t k = 0; k < 3 && k + 1 < extra.size(); ++k)
        *sliders[k] = static_cast<std::int8_t>(extra[k + 1] % 5 - 2);
    return o;
}

// The positions after every play of the roll that uses the most pips, and that many pips.
struct LegalPlays {
    std::vector<Position> finals;
    int mostPips = 0;
};

LegalPlays legalPlays(const Position& start, bool white, Byte dieA, Byte dieB) {
    auto w = std::make_unique<GeneratorWorkArea>();
    w->level[0] = start;
    NoStepObserver none;
    generateBothOrders(*w, white, dieA, dieB, none);
    LegalPlays plays;
    plays.mostPips = diceTotal(w->bestPath);
    auto collect = [&](const GeneratorWorkArea& area, int level) {
        checkPossible(area.level[level]);
        int total = 0;
        for (int k = 1; k <= level; ++k) total += area.path[k].die;
        if (total == plays.mostPips) plays.finals.push_back(normalized(area.level[level]));
    };
    *w = GeneratorWorkArea{};
    w->level[0] = start;
    generateBothOrders(*w, white, dieA, dieB, collect);
    return plays;
}

bool samePositions(const Position& a, const Position& b) { return a.sameCheckersAs(b); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (size > kSavedGameSize) check(!decodeSavedGame(bytes).ok, "a file longer than a game is refused");
    const SavedGameResult read = decodeSavedGame(bytes.first(std::min(size, kSavedGameSize)));
    if (!read.ok) {
        check(!read.error.empty(), "a refusal says why");
        return 0;
    }
    const SavedGame& saved = read.game;
    checkPossible(saved.position);
    const SavedGameResult again = decodeSavedGame(encodeSavedGame(saved));
    check(again.ok && encodeSavedGame(again.game) == encodeSavedGame(saved), "a game saves and loads unchanged");

    static const NeuralNets nets = NeuralNets::testWeights(16);
    testing::FakeScreen screen;
    auto game = std::make_unique<Game>(screen);
    game->changeOptions([&bytes](Options& o) { o = optionsFrom(bytes.subspan(kSavedGameSize)); });
    game->setNets(&nets);
    game->startUp(12345);
    game->restoreSavedGame(saved);

    const Position& pos = saved.position;
    check(samePositions(game->state().position(), pos), "the board is the saved position");
    check(game->stats().whitePips == whitePipCount(pos) && game->stats().blackPips == blackPipCount(pos),
          "pip counts of the saved position");
    check(turnOf(game->state().sideToMove()) == saved.turn && game->state().cube().value() == saved.cubeValue, "turn and cube as saved");
    const bool over = pos.offWhite == kCheckersPerSide || pos.offBlack == kCheckersPerSide;
    check(game->state().gameOn() == !over, "a finished game is over at once, any other goes on");
    if (over) return 0;
    const bool black = saved.turn == 0;
    check(game->rollStats(black ? Side::Black : Side::White).rolls == 2, "the loaded roll is counted");

    const LegalPlays plays = legalPlays(pos, !black, saved.dieA, saved.dieB);
    check(diceTotal(maximalPlay(pos, !black, saved.dieA, saved.dieB)) == plays.mostPips,
          "the max-dice rule finds the most pips");

    // What loading does next for Black against the computer, and MOVE does for White.
    if (black)
        game->playComputerTurn();
    else
        game->playWhiteByComputer();
    const Position after = game->state().position();
    checkPossible(after);
    check(!game->lastSearch().fromBook, "a loaded game is past the opening book");
    if (plays.mostPips == 0) {
        check(samePositions(after, pos), "with nothing to play nothing moves");
    } else {
        check(diceTotal(game->lastSearch().playToMake()) == plays.mostPips, "the computer uses the most pips");
        const Position made = normalized(after);
        check(std::any_of(plays.finals.begin(), plays.finals.end(),
                          [&](const Position& p) { return samePositions(p, made); }),
              "the computer's play is a legal play");
    }
    if (game->state().gameOn()) {
        game->undoTurn();  // BACK: the turn's start again
        check(samePositions(game->state().position(), pos), "undo gives the loaded position back");
    }
    return 0;
}

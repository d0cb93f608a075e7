// Position and match IDs: the strings GNU Backgammon prints for the same games, round trips, and
// text that is not an ID refused with a reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/GameIds.h"
#include "rules/IdBits.h"
#include "rules/MatchId.h"
#include "rules/PositionId.h"
#include "support/Positions.h"
#include "support/RandomPositions.h"

namespace lumaro {
namespace {

using testing::positionOf;

MatchState rolled(Side onRoll, Byte dieA, Byte dieB) {
    MatchState s;
    s.onRoll = s.toAct = onRoll;
    s.dieA = dieA;
    s.dieB = dieB;
    return s;
}

// The fields a match ID carries, compared one by one so that a failure names the field.
void expectSameState(const MatchState& a, const MatchState& b) {
    EXPECT_EQ(a.cube.value(), b.cube.value());
    EXPECT_EQ(a.cube.ownerWhite(), b.cube.ownerWhite());
    EXPECT_EQ(a.onRoll, b.onRoll);
    EXPECT_EQ(a.toAct, b.toAct);
    EXPECT_EQ(a.dieA, b.dieA);
    EXPECT_EQ(a.dieB, b.dieB);
    EXPECT_EQ(a.doubleOffered, b.doubleOffered);
    EXPECT_EQ(a.resignation, b.resignation);
    EXPECT_EQ(a.phase, b.phase);
    EXPECT_EQ(a.matchLength, b.matchLength);
    EXPECT_EQ(a.score[Side::White], b.score[Side::White]);
    EXPECT_EQ(a.score[Side::Black], b.score[Side::Black]);
    EXPECT_EQ(a.crawford, b.crawford);
    EXPECT_EQ(a.jacoby, b.jacoby);
}

// Reference strings printed by GNU Backgammon 1.07's `show board` for the same games.
TEST(GameIds, AreTheStringsGnuBackgammonPrints) {
    // A money game without the Jacoby rule, White (its player 1) to play an opening 3-1.
    GameIds ids = encodeGameIds(startingPosition(), rolled(Side::White, 3, 1));
    EXPECT_EQ(ids.positionId, "4HPwATDgc/ABMA");
    EXPECT_EQ(ids.matchId, "cIkFAAAAAAAE");

    // Black (player 0) to play 1-5 with the Jacoby rule: the higher die is written first.
    MatchState jacoby = rolled(Side::Black, 1, 5);
    jacoby.jacoby = true;
    EXPECT_EQ(encodeMatchId(jacoby), "MIEGAAAAAAAA");

    // White has opened 3-1 (8/5 6/5 in its own numbering), Black is to play 6-5, White holds a
    // 2-cube and leads 4-2 in a 7-point match: the board is read from Black's side.
    const Position opened = positionOf({{1, 2}, {12, 5}, {17, 2}, {19, 4}, {20, 2}, {24, -2}, {13, -5}, {8, -3}, {6, -5}});
    MatchState match = rolled(Side::Black, 6, 5);
    match.cube = Cube::of(2, 1);
    match.matchLength = 7;
    match.score[Side::White] = 4;
    match.score[Side::Black] = 2;
    ids = encodeGameIds(opened, match);
    EXPECT_EQ(ids.positionId, "sGfwATDgc/ABMA");
    EXPECT_EQ(ids.matchId, "EQH3ACAAIAAE");

    const GameFromIds back = decodeGameIds(ids.positionId, ids.matchId);
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_TRUE(back.position.sameCheckersAs(opened));
    expectSameState(back.state, match);
}

TEST(GameIds, ReadGnuBackgammonsOpenDoubleAndTheManualsExample) {
    // gnubg after White doubled in a 7-point match: Black is to answer, the board still White's.
    MatchIdResult doubled = decodeMatchId("cBHgAAAAAAAE");
    ASSERT_TRUE(doubled.ok) << doubled.error;
    EXPECT_TRUE(doubled.state.doubleOffered);
    EXPECT_EQ(doubled.state.onRoll, Side::White);
    EXPECT_EQ(doubled.state.toAct, Side::Black);
    EXPECT_EQ(doubled.state.matchLength, 7);

    // The manual's example: 2-4 in a 9-point match, player 0 holds a 2-cube, player 1 rolled 52.
    const MatchIdResult example = decodeMatchId("QYkqASAAIAAA");
    ASSERT_TRUE(example.ok) << example.error;
    EXPECT_EQ(example.state.cube.value(), 2);
    EXPECT_EQ(example.state.cube.ownerWhite(), 0);
    EXPECT_EQ(example.state.onRoll, Side::White);
    EXPECT_EQ(example.state.dieA, 5);
    EXPECT_EQ(example.state.dieB, 2);
    EXPECT_EQ(example.state.score[Side::Black], 2);
    EXPECT_EQ(example.state.score[Side::White], 4);
    EXPECT_EQ(example.state.matchLength, 9);
}

TEST(GameIds, RoundTripPositionsOfRandomGamesFromEitherSide) {
    for (const auto& [pos, dieA, dieB] : testing::randomBlackPositions(7, 2000)) {
        for (const Position& p : {pos, mirrored(pos)}) {
            for (Side onRoll : {Side::White, Side::Black}) {
                const std::string id = encodePositionId(p, onRoll);
                const PositionIdResult back = decodePositionId(id, onRoll);
                ASSERT_TRUE(back.ok) << id << ": " << back.error;
                ASSERT_TRUE(back.position.sameCheckersAs(p)) << id;
            }
        }
    }
}

TEST(GameIds, RoundTripMatchStatesAtTheEdgesOfTheirFields) {
    MatchState s = rolled(Side::Black, 6, 6);
    s.matchLength = kLongestMatch;
    s.score[Side::White] = kLongestMatch - 1;
    s.score[Side::Black] = kLongestMatch - 2;
    s.crawford = true;
    s.resignation = 3;  // Black offers a backgammon
    s.toAct = Side::White;
    MatchIdResult back = decodeMatchId(encodeMatchId(s));
    ASSERT_TRUE(back.ok) << back.error;
    expectSameState(back.state, s);

    MatchState money = rolled(Side::White, 0, 0);
    money.cube = Cube::of(64, 0);
    money.score[Side::White] = 32767;  // a money session's points, as far as the ID counts
    money.jacoby = true;
    money.phase = GamePhase::Dropped;
    back = decodeMatchId(encodeMatchId(money));
    ASSERT_TRUE(back.ok) << back.error;
    expectSameState(back.state, money);
}

// A position key with `white` and `black` written as slot counts from each side's own view
// (points 1..24, then the bar), Black on roll: White's slots come first.
std::string positionKey(std::initializer_list<std::pair<int, int>> whiteSlots,
                        std::initializer_list<std::pair<int, int>> blackSlots, int extraBit = -1) {
    IdBits key(10);
    int next = 0;
    for (const auto& slots : {whiteSlots, blackSlots}) {
        for (int slot = 0; slot < 25; ++slot) {
            for (const auto& [s, n] : slots)
                if (s == slot)
                    for (int k = 0; k < n; ++k) key.set(next++);
            ++next;
        }
    }
    if (extraBit >= 0) key.set(extraBit);
    return base64Of(key.bytes());
}

TEST(GameIds, RefuseWhatIsNotAPositionIdWithTheReason) {
    auto refusal = [](std::string_view id) {
        const PositionIdResult r = decodePositionId(id, Side::Black);
        EXPECT_FALSE(r.ok) << id;
        return r.error;
    };
    ASSERT_TRUE(decodePositionId(positionKey({{0, 15}}, {{0, 15}}), Side::Black).ok);
    EXPECT_EQ(refusal(""), "The position ID must be 14 characters long, not 0.");
    EXPECT_EQ(refusal("4HPwATDgc/ABM"), "The position ID must be 14 characters long, not 13.");
    EXPECT_EQ(refusal("4HPwATDgc/ABMAx"), "The position ID must be 14 characters long, not 15.");
    EXPECT_EQ(refusal("4HPwATDgc=ABMA"), "The position ID holds '=', which no ID uses.");
    EXPECT_EQ(refusal(std::string("4HPwATDgc\0ABMA", 14)), "The position ID holds a character of code 0, which no ID uses.");
    EXPECT_EQ(refusal("4HPwATDgc\xC3\xA9" "BMA"), "The position ID holds a character of code 195, which no ID uses.");
    EXPECT_EQ(refusal("4HPwATDgc/ABMB"), "The position ID ends in 'B', which no ID ends in.");
    EXPECT_EQ(refusal(positionKey({{5, 16}}, {})), "The position ID gives White more than 15 checkers.");
    EXPECT_EQ(refusal(positionKey({{5, 3}, {24, 12}}, {{0, 16}})), "The position ID gives Black more than 15 checkers.");
    // White's 6-point (slot 5) is Black's 19-point (slot 18).
    EXPECT_EQ(refusal(positionKey({{5, 2}}, {{18, 1}})), "The position ID puts checkers of both sides on Black's 19-point.");
    EXPECT_EQ(refusal(positionKey({{0, 1}}, {{0, 1}}, 78)), "The position ID has bits set after the last checker.");
    // A finished game's position, one side all borne off, is read; only both sides gone is nothing.
    for (const auto& [white, black] : {std::pair{0, 1}, std::pair{1, 0}}) {
        const PositionIdResult finished = decodePositionId(positionKey({{0, white}}, {{0, black}}), Side::Black);
        ASSERT_TRUE(finished.ok) << finished.error;
        EXPECT_EQ(finished.position.offWhite, 15 - white);
        EXPECT_EQ(finished.position.offBlack, 15 - black);
    }
    EXPECT_EQ(refusal("AAAAAAAAAAAAAA"), "The position ID has no checker of either side on the board.");
}

// A match key: a fresh money game with White on roll, with some fields given other values.
struct KeyField {
    int first;
    int width;
    unsigned value;
};

std::string matchKey(std::initializer_list<KeyField> changes) {
    // Centred cube, White on roll, playing, White to act, no Jacoby rule.
    std::vector<KeyField> fields = {{4, 2, 3}, {6, 1, 1}, {8, 3, 1}, {11, 1, 1}, {66, 1, 1}};
    for (const KeyField& change : changes) {
        std::erase_if(fields, [&](const KeyField& f) { return f.first == change.first; });
        fields.push_back(change);
    }
    IdBits key(9);
    for (const KeyField& f : fields) key.setField(f.first, f.width, f.value);
    return base64Of(key.bytes());
}

TEST(GameIds, RefuseMatchIdsThisGameCannotPlayWithTheReason) {
    auto refusal = [](const std::string& id) {
        const MatchIdResult r = decodeMatchId(id);
        EXPECT_FALSE(r.ok) << id;
        return r.error;
    };
    const std::string cannot = "The match ID describes a game this program cannot play. ";
    ASSERT_TRUE(decodeMatchId(matchKey({})).ok);
    EXPECT_EQ(refusal("cIkFAAAAAAA"), "The match ID must be 12 characters long, not 11.");
    EXPECT_EQ(refusal("cIkFAAAA AAA"), "The match ID holds a character of code 32, which no ID uses.");
    EXPECT_EQ(refusal(matchKey({{0, 4, 7}, {4, 2, 1}})), "The match ID's cube stands at 128; this game's cube goes no higher than 64.");
    EXPECT_EQ(refusal(matchKey({{0, 4, 1}, {4, 2, 2}})), "The match ID's cube owner names no player.");
    EXPECT_EQ(refusal(matchKey({{0, 4, 2}})), "The match ID has a centred cube at 4; a centred cube stands at 1.");
    EXPECT_EQ(refusal(matchKey({{4, 2, 0}})), "The match ID has a cube at 1 held by a player; a cube is held once turned.");
    EXPECT_EQ(refusal(matchKey({{8, 3, 5}})), "The match ID's game state 5 names no state.");
    EXPECT_EQ(refusal(matchKey({{15, 3, 7}, {18, 3, 2}})),
              cannot + "The dice 7 and 2 are not both from 1 to 6 (or both 0 before the roll).");
    EXPECT_EQ(refusal(matchKey({{15, 3, 4}})), cannot + "The dice 4 and 0 are not both from 1 to 6 (or both 0 before the roll).");
    EXPECT_EQ(refusal(matchKey({{11, 1, 0}, {12, 1, 1}, {13, 2, 1}})), cannot + "A double and a resignation cannot both be open.");
    EXPECT_EQ(refusal(matchKey({{11, 1, 0}, {12, 1, 1}, {15, 3, 3}, {18, 3, 1}})),
              cannot + "A double is offered before the roll, not after it.");
    EXPECT_EQ(refusal(matchKey({{12, 1, 1}})), cannot + "White cannot answer White's own double.");
    EXPECT_EQ(refusal(matchKey({{11, 1, 0}})), cannot + "White is on roll, but Black is to act with nothing offered.");
    EXPECT_EQ(refusal(matchKey({{21, 15, 256}})), cannot + "The match is to 256 points; this game plays matches of up to 255 points.");
    EXPECT_EQ(refusal(matchKey({{21, 15, 5}, {36, 15, 5}})), cannot + "Black has 5 points in a 5-point match, which is already won.");
    EXPECT_EQ(refusal(matchKey({{7, 1, 1}})), cannot + "A money game cannot be the Crawford game.");
    const std::string noCrawford = cannot + "The Crawford game is played when exactly one side is a point from winning the match.";
    EXPECT_EQ(refusal(matchKey({{7, 1, 1}, {21, 15, 5}, {36, 15, 3}})), noCrawford);
    EXPECT_EQ(refusal(matchKey({{7, 1, 1}, {21, 15, 5}, {36, 15, 4}, {51, 15, 4}})), noCrawford);
    EXPECT_EQ(refusal(matchKey({{7, 1, 1}, {21, 15, 5}, {36, 15, 4}, {0, 4, 1}, {4, 2, 1}})),
              cannot + "Nobody may double in the Crawford game.");
    EXPECT_EQ(refusal(matchKey({{67, 5, 1}})), "The match ID has bits set past its last field.");
}

TEST(GameIds, PastedTextGivesBothIdsOrSaysWhatIsWrong) {
    const std::string board =
        " GNU Backgammon  Position ID: sGfwATDgc/ABMA\n"
        "                 Match ID   : EQH3ACAAIAAE\n"
        " +12-11-10--9--8--7-------6--5--4--3--2--1-+     O: gnubg\n";
    GameFromIds pasted = readPastedIds(board);
    ASSERT_TRUE(pasted.ok) << pasted.error;
    EXPECT_EQ(pasted.state.matchLength, 7);
    EXPECT_EQ(pasted.state.onRoll, Side::Black);
    EXPECT_EQ(encodePositionId(pasted.position, Side::Black), "sGfwATDgc/ABMA");

    pasted = readPastedIds("  4HPwATDgc/ABMA:cIkFAAAAAAAE\n");
    ASSERT_TRUE(pasted.ok) << pasted.error;
    EXPECT_EQ(pasted.state.dieA, 3);
    EXPECT_TRUE(pasted.position.sameCheckersAs(startingPosition()));

    // A position ID alone: a money game, White on roll, the dice not yet rolled.
    pasted = readPastedIds("Position ID: sGfwATDgc/ABMA");
    ASSERT_TRUE(pasted.ok) << pasted.error;
    EXPECT_EQ(pasted.state.onRoll, Side::White);
    EXPECT_EQ(pasted.state.dieA, 0);
    EXPECT_EQ(encodePositionId(pasted.position, Side::White), "sGfwATDgc/ABMA");

    EXPECT_EQ(readPastedIds(" \n").error, "There is nothing to paste.");
    EXPECT_EQ(readPastedIds("Match ID: cIkFAAAAAAAE").error, "The pasted text has a match ID but no position ID.");
    EXPECT_EQ(readPastedIds("4HPwATDgc/ABMA cIkFAAAAAAAE trailing").error,
              "The match ID must be 12 characters long, not 21.");
    EXPECT_EQ(readPastedIds("Position ID: 4HPwATDgc/ABMA!").error, "The position ID must be 14 characters long, not 15.");
    EXPECT_EQ(readPastedIds(std::string(100000, 'A')).error, "The pasted text is far too long to be a position.");
}

}  // namespace
}  // namespace lumaro

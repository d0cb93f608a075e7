// The review of a recorded game: a blunder is found and named, the best play is not charged, the
// cube answers are judged, and the sums and the rating follow from the decisions.
#include <gtest/gtest.h>

#include <numeric>

#include "game/Review.h"

using namespace lumaro;

namespace {

// White's own point `own` (24 .. 1 towards home) as a logical point.
int white(int own) { return 25 - own; }

using Steps = std::vector<std::pair<int, int>>;

// White's 4-2 is played as `second` (logical (from, to) pairs; 8/4 6/4 when empty).
RecordedGame recordedGame(const Steps& second = {}) {
    MatchRecorder recorder;
    recorder.startGame(0, 0, 0, false);
    recorder.rolled(Side::White, 6, 5);  // 8/2 8/3: three blots, and nothing gained
    recorder.stepMade(Side::White, white(8), 6);
    recorder.stepMade(Side::White, white(8), 5);
    recorder.rolled(Side::Black, 3, 1);  // 8/5 6/5
    recorder.stepMade(Side::Black, 8, 3);
    recorder.stepMade(Side::Black, 6, 1);
    recorder.rolled(Side::White, 4, 2);
    for (const auto& [from, to] : second.empty() ? Steps{{white(8), white(4)}, {white(6), white(4)}} : second)
        recorder.stepMade(Side::White, from, to - from);
    recorder.doubled(Side::Black);       // far too early: White takes
    recorder.took(Side::White);
    return recorder.record().games.front();
}

TEST(Review, NamesTheBlunderChargesNothingForTheBestAndSumsWhatWasLost) {
    NeuralNets nets;
    nets.loadNets(LUMARO_NETS_FOLDER);
    ASSERT_TRUE(nets.usable());
    // The 4-2 played as the review of 8/4 6/4 says it is best.
    const GameReview first = reviewGame(recordedGame(), Side::White, nets);
    ASSERT_EQ(first.decisions.size(), 3u);
    const GameReview review = reviewGame(recordedGame(first.decisions[1].bestSteps), Side::White, nets);
    ASSERT_EQ(review.decisions.size(), 3u);

    const ReviewedDecision& opening = review.decisions[0];
    EXPECT_EQ(opening.kind, ReviewedDecision::Kind::Play);
    EXPECT_EQ(opening.played, "8/3 8/2");
    EXPECT_NE(opening.best, opening.played);
    EXPECT_GE(opening.equityLost, kErrorFrom);
    ASSERT_EQ(opening.playedSteps.size(), 2u);
    EXPECT_EQ(opening.playedSteps[0], std::make_pair(white(8), white(2)));

    const ReviewedDecision& second = review.decisions[1];
    EXPECT_EQ(second.played, first.decisions[1].best);
    EXPECT_EQ(second.best, second.played);
    EXPECT_EQ(second.equityLost, 0.0);
    EXPECT_EQ(second.verdict, Verdict::Good);

    const ReviewedDecision& take = review.decisions[2];
    EXPECT_EQ(take.kind, ReviewedDecision::Kind::Take);
    EXPECT_EQ(take.best, "Take");
    EXPECT_EQ(take.equityLost, 0.0);

    const double sum = std::accumulate(review.decisions.begin(), review.decisions.end(), 0.0,
                                       [](double s, const ReviewedDecision& d) { return s + d.equityLost; });
    EXPECT_DOUBLE_EQ(review.equityLost, sum);
    EXPECT_DOUBLE_EQ(review.errorRate, 1000.0 * sum / 3);
    EXPECT_EQ(review.doubtful + review.errors + review.blunders, 1);  // the opening blunder alone
    EXPECT_EQ(review.rating, ratingWord(review.errorRate));

    // Each decision keeps the cube as it stood then, for the board the review shows: a game taken
    // up with Black holding the cube at 4 has it so at White's first play.
    RecordedGame held = recordedGame();
    held.setup = RecordedSetup{startingPosition(), Side::White, 0, 0, Cube::of(4, 0)};
    const GameReview heldReview = reviewGame(held, Side::White, nets);
    ASSERT_FALSE(heldReview.decisions.empty());
    EXPECT_EQ(heldReview.decisions[0].cube.value(), 4);
    EXPECT_EQ(heldReview.decisions[0].cube.ownerWhite(), 0);

    // Black's side of the same game: its double is judged, and charged only when it was wrong.
    const GameReview black = reviewGame(recordedGame(), Side::Black, nets);
    ASSERT_EQ(black.decisions.size(), 2u);
    const ReviewedDecision& double_ = black.decisions[1];
    EXPECT_EQ(double_.kind, ReviewedDecision::Kind::Double);
    EXPECT_EQ(double_.played, "Double");
    EXPECT_EQ(double_.best == "Double", double_.equityLost == 0.0) << double_.best;
}

// One checker each on its 6-point, Black on roll: Black bears off at once with 27 rolls of 36, so
// White's take of Black's double is worth less than a pass in a money game; at 3-0 (White) in a
// five-point match the same take is right (White needs two points and the doubled cube gives them).
TEST(Review, ChargesATakeThatShouldHaveBeenAPassAndJudgesItAtTheMatchScore) {
    NeuralNets nets;
    nets.loadNets(LUMARO_NETS_FOLDER);
    ASSERT_TRUE(nets.usable());
    MatchRecorder recorder;
    recorder.startGame(0, 3, 0, false);
    Position race;
    race.count[6] = 1;
    race.colour[6] = kBlack;
    race.count[white(6)] = 1;
    race.colour[white(6)] = kWhite;
    race.offBlack = race.offWhite = kCheckersPerSide - 1;
    recorder.setUp({race, Side::Black, 0, 0, Cube{}});
    recorder.doubled(Side::Black);
    recorder.took(Side::White);
    const RecordedGame game = recorder.record().games.front();

    const GameReview money = reviewGame(game, Side::White, nets);
    ASSERT_EQ(money.decisions.size(), 1u);
    const ReviewedDecision& take = money.decisions[0];
    EXPECT_EQ(take.kind, ReviewedDecision::Kind::Take);
    EXPECT_EQ(take.best, "Pass");
    // Taking: 2 x (27/36 x -1 + 9/36 x (27/36 x -1 + 9/36 x +1)) against -1 for the pass.
    EXPECT_GE(take.equityLost, kErrorFrom);
    EXPECT_EQ(money.errors + money.blunders, 1);

    const GameReview match = reviewGame(game, Side::White, nets, 5);
    ASSERT_EQ(match.decisions.size(), 1u);
    EXPECT_EQ(match.decisions[0].best, "Take");
    EXPECT_EQ(match.decisions[0].equityLost, 0.0);
}

TEST(Review, MarksAndTheRatingScaleChangeExactlyAtTheirThresholds) {
    EXPECT_EQ(verdictOf(kDoubtfulFrom - 1e-9), Verdict::Good);
    EXPECT_EQ(verdictOf(kDoubtfulFrom), Verdict::Doubtful);
    EXPECT_EQ(verdictOf(kErrorFrom), Verdict::Error);
    EXPECT_EQ(verdictOf(kBlunderFrom), Verdict::Blunder);
    EXPECT_EQ(ratingWord(1.99), "Flawless");
    EXPECT_EQ(ratingWord(2.0), "World class");
    EXPECT_EQ(ratingWord(25.9), "Casual player");
    EXPECT_EQ(ratingWord(26.0), "Beginner");
}

}  // namespace

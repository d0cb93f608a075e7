#include "ai/BearoffDatabase.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>

namespace lumaro {
namespace {

constexpr int kMaxCheckers = 15;
constexpr int kPoints = 6;
// Room for more rolls than any bear-off takes when played well: fifteen on the 6-point and 2-1
// every time need thirty. A chance that did not fit would be missing from its distribution's sum.
constexpr int kRollsWidth = 32;
constexpr double kScale = 65535.0;

// ways[m][k]: the ways to share m checkers among k places, C(m + k - 1, k - 1); before[m][k][n]:
// the ways with fewer than n of them on the first place, which is what ranks a board.
struct Ways {
    std::array<std::array<int, kPoints + 2>, kMaxCheckers + 1> ways{};
    std::array<std::array<std::array<int, kMaxCheckers + 1>, kPoints + 2>, kMaxCheckers + 1> before{};
    constexpr Ways() {
        for (int m = 0; m <= kMaxCheckers; ++m) {
            ways[m][1] = 1;
            for (int k = 2; k <= kPoints + 1; ++k) {
                int sum = 0;
                for (int first = 0; first <= m; ++first) sum += ways[m - first][k - 1];
                ways[m][k] = sum;
            }
        }
        for (int m = 0; m <= kMaxCheckers; ++m)
            for (int k = 1; k <= kPoints + 1; ++k)
                for (int n = 1; n <= m; ++n) before[m][k][n] = before[m][k][n - 1] + ways[m - n + 1][k];
    }
};
constexpr Ways kWays;
static_assert(kWays.ways[kMaxCheckers][kPoints + 1] == BearoffDatabase::kBoards);

int checkersOn(const HomeBoard& board) {
    int n = 0;
    for (int p = 1; p <= kPoints; ++p) n += board[p];
    return n;
}

int pipsOf(const HomeBoard& board) {
    int pips = 0;
    for (int p = 1; p <= kPoints; ++p) pips += p * board[p];
    return pips;
}

// The boards one die can leave: a checker moves down `die` points, or bears off from the point
// `die`, or from the highest point when none stands on or above `die`.
template <class Visit>
void forEachStep(const HomeBoard& board, int die, Visit visit) {
    int highest = 0;
    for (int p = kPoints; p >= 1 && highest == 0; --p)
        if (board[p] > 0) highest = p;
    if (highest == 0) {
        visit(board);
        return;
    }
    for (int p = 1; p <= kPoints; ++p) {
        if (board[p] == 0) continue;
        if (p > die || p == die || p == highest) {
            HomeBoard next = board;
            --next[p];
            if (p > die) ++next[p - die];
            visit(next);
        }
    }
}

// Lists each board once: a board is marked with the number of the list it was last put in.
struct UniqueBoards {
    std::vector<int> mark = std::vector<int>(BearoffDatabase::kBoards, 0);
    int list = 0;

    void start(std::vector<int>& indices) {
        indices.clear();
        ++list;
    }
    void add(std::vector<int>& indices, const HomeBoard& board) {
        const int index = BearoffDatabase::indexOf(board);
        if (mark[index] == list) return;
        mark[index] = list;
        indices.push_back(index);
    }
};

// Every board a roll can leave. A die can always be played while a checker is left, so the whole
// roll is played: both dice in either order, a doublet four times.
void boardsAfter(int from, int dieA, int dieB, const std::vector<HomeBoard>& boards, std::vector<int>& out,
                 std::vector<int>& scratch, UniqueBoards& unique) {
    if (dieA == dieB) {
        out.assign(1, from);
        for (int step = 0; step < 4; ++step) {
            unique.start(scratch);
            for (const int index : out)
                forEachStep(boards[index], dieA, [&](const HomeBoard& b) { unique.add(scratch, b); });
            out.swap(scratch);
        }
        return;
    }
    unique.start(out);
    for (const auto& [first, second] : {std::pair{dieA, dieB}, std::pair{dieB, dieA}})
        forEachStep(boards[from], first, [&](const HomeBoard& middle) {
            forEachStep(middle, second, [&](const HomeBoard& b) { unique.add(out, b); });
        });
}

double meanOf(const float* chances) {
    double mean = 0;
    for (int k = 0; k < kRollsWidth; ++k) mean += k * chances[k];
    return mean;
}

}  // namespace

double RollsDistribution::at(int rolls) const {
    if (rolls < first || rolls >= first + count) return 0;
    return chances[rolls - first] / kScale;
}

double RollsDistribution::atLeast(int rolls) const {
    double sum = 0;
    for (int k = std::max(rolls, first); k < first + count; ++k) sum += chances[k - first];
    return sum / kScale;
}

double RollsDistribution::mean() const {
    double sum = 0;
    for (int k = 0; k < count; ++k) sum += (first + k) * static_cast<double>(chances[k]);
    return sum / kScale;
}

int BearoffDatabase::indexOf(const HomeBoard& board) {
    // Boards in the order of their counts on points 1, 2 ... 6: the index is how many come first.
    int left = kMaxCheckers;
    int index = 0;
    for (int p = 1; p <= kPoints; ++p) {
        const int n = board[p];
        if (n < 0 || n > left) return -1;
        index += kWays.before[left][kPoints + 1 - p][n];
        left -= n;
    }
    return index;
}

BearoffDatabase BearoffDatabase::build() {
    // Every board, and the order to work them out in: a roll always lowers the pip count, so
    // every board a roll leaves is done before the board it is played from.
    std::vector<HomeBoard> boards(kBoards);
    std::vector<std::vector<int>> byPips(kMaxCheckers * kPoints + 1);
    HomeBoard board{};
    const auto enumerate = [&](auto& self, int point, int left) -> void {
        if (point > kPoints) {
            const int index = indexOf(board);
            boards[index] = board;
            byPips[pipsOf(board)].push_back(index);
            return;
        }
        for (int n = 0; n <= left; ++n) {
            board[point] = n;
            self(self, point + 1, left - n);
        }
        board[point] = 0;
    };
    enumerate(enumerate, 1, kMaxCheckers);

    std::vector<float> allOff(static_cast<std::size_t>(kBoards) * kRollsWidth, 0.0f);
    std::vector<float> firstOff(allOff.size(), 0.0f);
    std::vector<double> meanAllOff(kBoards, 0.0);
    std::vector<double> meanFirstOff(kBoards, 0.0);
    // The most rolls each board can take, so that only chances that can be there are added up.
    std::vector<int> mostAllOff(kBoards, 0);
    std::vector<int> mostFirstOff(kBoards, 0);
    std::vector<int> checkers(kBoards);
    for (int index = 0; index < kBoards; ++index) checkers[index] = checkersOn(boards[index]);
    std::vector<int> after, scratch;
    UniqueBoards unique;
    for (const std::vector<int>& level : byPips) {
        for (const int index : level) {
            float* all = &allOff[static_cast<std::size_t>(index) * kRollsWidth];
            float* first = &firstOff[static_cast<std::size_t>(index) * kRollsWidth];
            if (checkers[index] == 0) {
                all[0] = first[0] = 1;
                continue;
            }
            for (int a = 1; a <= 6; ++a) {
                for (int b = a; b <= 6; ++b) {
                    const float weight = (a == b ? 1.0f : 2.0f) / 36.0f;
                    boardsAfter(index, a, b, boards, after, scratch, unique);
                    int bestAll = after.front(), bestFirst = after.front();
                    bool boreOff = false;
                    for (const int next : after) {
                        if (meanAllOff[next] < meanAllOff[bestAll]) bestAll = next;
                        if (meanFirstOff[next] < meanFirstOff[bestFirst]) bestFirst = next;
                        boreOff = boreOff || checkers[next] < checkers[index];
                    }
                    const float* nextAll = &allOff[static_cast<std::size_t>(bestAll) * kRollsWidth];
                    for (int k = 0; k <= std::min(mostAllOff[bestAll], kRollsWidth - 2); ++k)
                        all[k + 1] += weight * nextAll[k];
                    mostAllOff[index] = std::max(mostAllOff[index], mostAllOff[bestAll] + 1);
                    if (boreOff) {
                        first[1] += weight;
                        mostFirstOff[index] = std::max(mostFirstOff[index], 1);
                    } else {
                        const float* nextFirst = &firstOff[static_cast<std::size_t>(bestFirst) * kRollsWidth];
                        for (int k = 0; k <= std::min(mostFirstOff[bestFirst], kRollsWidth - 2); ++k)
                            first[k + 1] += weight * nextFirst[k];
                        mostFirstOff[index] = std::max(mostFirstOff[index], mostFirstOff[bestFirst] + 1);
                    }
                }
            }
            meanAllOff[index] = meanOf(all);
            meanFirstOff[index] = meanOf(first);
        }
    }

    // Kept as 16-bit fractions over the rolls whose chance rounds to something.
    BearoffDatabase db;
    db.allOff_.resize(kBoards);
    db.firstOff_.resize(kBoards);
    const auto fraction = [](float chance) {
        return static_cast<std::uint16_t>(std::clamp(std::lround(chance * kScale), 0L, 65535L));
    };
    const auto keep = [&db, &fraction](const float* chances, Window& window) {
        int lo = 0, hi = kRollsWidth - 1;
        while (lo < hi && fraction(chances[lo]) == 0) ++lo;
        while (hi > lo && fraction(chances[hi]) == 0) --hi;
        window.offset = static_cast<std::uint32_t>(db.chances_.size());
        window.first = static_cast<std::uint8_t>(lo);
        window.count = static_cast<std::uint8_t>(hi - lo + 1);
        for (int k = lo; k <= hi; ++k) db.chances_.push_back(fraction(chances[k]));
    };
    for (int index = 0; index < kBoards; ++index) {
        keep(&allOff[static_cast<std::size_t>(index) * kRollsWidth], db.allOff_[index]);
        keep(&firstOff[static_cast<std::size_t>(index) * kRollsWidth], db.firstOff_[index]);
    }
    db.chances_.shrink_to_fit();
    return db;
}

namespace {

std::mutex tableFileMutex;
std::string tableFile;

}  // namespace

void BearoffDatabase::useFile(const std::string& path) {
    const std::lock_guard lock(tableFileMutex);
    tableFile = path;
}

const BearoffDatabase& BearoffDatabase::shared() {
    static const BearoffDatabase db = [] {
        std::string path;
        {
            const std::lock_guard lock(tableFileMutex);
            path = tableFile;
        }
        return path.empty() ? build() : readOrBuild(path);
    }();
    return db;
}

std::size_t BearoffDatabase::bytes() const {
    return sizeof(*this) + (allOff_.size() + firstOff_.size()) * sizeof(Window) +
           chances_.size() * sizeof(std::uint16_t);
}

}  // namespace lumaro

#include "ai/CubeMeasure.h"

#include "ai/Features.h"

namespace lumaro {
namespace {

bool whitePoint(const Position& pos, int p) { return pos.hasWhite(p) && pos.count[p] >= 2; }

}  // namespace

int cubeMeasure(const Position& board) {
    int v = blackRaceDistance(board) - whiteRaceDistance(board);
    if (board.barBlack > 0) {
        int whiteHomePoints = 0;
        for (int p = 19; p <= 24; ++p) whiteHomePoints += whitePoint(board, p);
        if (whiteHomePoints >= 3) v += 200 * whiteHomePoints;
    }
    for (int q = 24; q >= 6; --q) {
        if (!board.hasBlack(q)) continue;
        int wall = 0;
        for (int k = 1; k <= 6 && q - k >= 1; ++k) wall += whitePoint(board, q - k);
        if (wall >= 3) v += 200 * wall;
    }
    return v;
}

}  // namespace lumaro

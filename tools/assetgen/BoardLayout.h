#pragma once
// Where things stand on the 800 x 600 board. The game places checkers, dice, cube and labels at
// these pixels, so the pictures must put their felt, points, bar and trays exactly here.
#include <array>

namespace lumaro::art::layout {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kChecker = 51;  // checker, die and cube pictures are this square
constexpr int kColumnStep = 53;

// Left edge of the checkers of the twelve columns, left to right.
constexpr std::array<int, 12> kColumnX = {52, 105, 158, 211, 264, 317, 432, 485, 538, 591, 644, 697};

// The two playing fields (inclusive pixel ranges) and the bar between them.
struct Span {
    int x0, y0, x1, y1;
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};
constexpr Span kLeftField = {51, 30, 368, 569};
constexpr Span kRightField = {431, 30, 748, 569};
constexpr Span kBar = {369, 30, 430, 569};

// A point's triangle starts at its column's field edge, 53 wide, and stops short of the middle
// strip where the dice lie.
constexpr int kPointLength = 226;
constexpr int kDiceStripTop = 285;
constexpr int kDiceStripBottom = 336;

// The dice places, the cube places on the bar, the bar checkers.
constexpr std::array<int, 4> kDiceX = {169, 222, 550, 603};
constexpr int kDiceY = 285;
constexpr int kCubeX = 375;
constexpr std::array<int, 3> kCubeY = {125, 275, 425};
constexpr int kBarCheckerX = 374;

// The number plates under the point labels (labels at column + 15, 20 x 15).
constexpr int kTopLabelY = 9;
constexpr int kBottomLabelY = 578;
constexpr int kLabelWidth = 20;
constexpr int kLabelHeight = 15;
constexpr int kPlateLeft = 12, kPlateRight = 39;  // from the column's left edge
constexpr int kTopPlateY0 = 6, kTopPlateY1 = 26, kBottomPlateY0 = 575, kBottomPlateY1 = 595;

// The medallion on the top rail above the bar.
constexpr float kEmblemX = 399.5f, kEmblemY = 14.5f, kEmblemRadius = 10.5f;

// Bear-off trays in both side margins (which side is home depends on the SIDE command).
constexpr Span kLeftTrayTop = {6, 36, 44, 292};
constexpr Span kLeftTrayBottom = {6, 307, 44, 563};
constexpr Span kRightTrayTop = {755, 36, 793, 292};
constexpr Span kRightTrayBottom = {755, 307, 793, 563};

}  // namespace lumaro::art::layout

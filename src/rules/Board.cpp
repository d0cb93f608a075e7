#include "rules/Board.h"

namespace lumaro {
namespace {

constexpr int kPointX[13] = {0, 52, 105, 158, 211, 264, 317, 432, 485, 538, 591, 644, 697};
// Offsets of the 15 stack slots: a pyramid of 5, 4, 3, 2 and 1, each layer half a checker inwards.
constexpr int kStackOffset[16] = {0, 0, 51, 102, 153, 204, 26, 77, 128, 179, 51, 102, 153, 77, 128, 102};

bool validScreenPosition(int s) { return s >= 1 && s <= 24; }

}  // namespace

Board::Board() { mapScreenToPoints(); }

int Board::pointX(int s) {
    if (!validScreenPosition(s)) return kBarX;
    return s <= 12 ? kPointX[s] : kPointX[25 - s];
}

int Board::stackY(int s, int k) {
    if (k < 1) k = 1;
    if (k > kImages) k = kImages;
    return s <= 12 ? 30 + kStackOffset[k] : 572 - 53 - kStackOffset[k];
}

void Board::mapScreenToPoints() {
    for (int s = 1; s <= 24; ++s) {
        if (homeRight == 0)
            screenToPoint[s] = static_cast<Byte>(s);
        else
            screenToPoint[s] = static_cast<Byte>(s <= 12 ? 13 - s : 37 - s);
    }
}

void Board::letEventsRun() {
    if (view_) view_->letEventsRun();
}

Byte Board::takeFreeImage(Byte c) {
    auto& inUse = c == kWhite ? whiteInUse : blackInUse;
    for (int i = 1; i <= kImages; ++i) {
        if (inUse[i] == 0) {
            inUse[i] = static_cast<Byte>(i);
            return static_cast<Byte>(i);
        }
    }
    return 0;
}

void Board::addChecker(int s, Byte c) {
    if (!validScreenPosition(s)) return;
    const int p = screenToPoint[s];
    if (count[p] >= kImages) return;  // a point never holds more than fifteen
    const Byte image = takeFreeImage(c);
    if (image == 0) return;
    colour[p] = c;
    count[p] += 1;
    stack[p][count[p]] = image;
    if (view_) view_->checkerAppeared(c, image, s, pointX(s), stackY(s, count[p]), animate);
    letEventsRun();
}

void Board::removeChecker(int s, Byte c) {
    if (!validScreenPosition(s)) return;
    const int p = screenToPoint[s];
    if (count[p] == 0 || colour[p] != c) return;
    const Byte image = stack[p][count[p]];
    stack[p][count[p]] = 0;
    auto& inUse = c == kWhite ? whiteInUse : blackInUse;
    if (image >= 1 && image <= kImages) {
        if (view_) view_->checkerFaded(c, image, s, animate);
        inUse[image] = 0;
    }
    letEventsRun();
    lastX = pointX(s);
    lastY = stackY(s, count[p]);
    count[p] -= 1;
}

void Board::addToBar(Byte c) {
    Byte& bar = c == kWhite ? barWhite : barBlack;
    auto& barStack = c == kWhite ? barStackWhite : barStackBlack;
    if (bar < kImages) {
        const Byte image = takeFreeImage(c);
        if (image != 0) {
            bar += 1;
            barStack[bar] = image;
            if (view_) view_->checkerAppeared(c, image, 0, kBarX, c == kWhite ? kWhiteBarY : kBlackBarY, animate);
            letEventsRun();
        }
    }
    updateWhitePhase();
    updateBlackPhase();
}

void Board::removeFromBar(Byte c) {
    Byte& bar = c == kWhite ? barWhite : barBlack;
    if (bar == 0) return;
    auto& barStack = c == kWhite ? barStackWhite : barStackBlack;
    auto& inUse = c == kWhite ? whiteInUse : blackInUse;
    const Byte image = bar <= kImages ? barStack[bar] : 0;  // the last to arrive leaves first
    if (bar <= kImages) barStack[bar] = 0;
    bar -= 1;
    if (image >= 1 && image <= kImages) {
        inUse[image] = 0;
        if (view_) view_->checkerFaded(c, image, 0, animate);
    }
    letEventsRun();
    lastX = kBarX;
    lastY = c == kWhite ? kWhiteBarY : kBlackBarY;
    updateWhitePhase();
    updateBlackPhase();
}

void Board::flyFromLast(Byte c, int x, int y) {
    if (view_) view_->checkerFlying(c, lastX, lastY, x, y);
}

void Board::addWhiteAt(int s) { addChecker(s, kWhite); }
void Board::addBlackAt(int s) { addChecker(s, kBlack); }
void Board::removeWhiteAt(int s) { removeChecker(s, kWhite); }
void Board::removeBlackAt(int s) { removeChecker(s, kBlack); }
void Board::addWhiteToBar() { addToBar(kWhite); }
void Board::addBlackToBar() { addToBar(kBlack); }
void Board::removeWhiteFromBar() { removeFromBar(kWhite); }
void Board::removeBlackFromBar() { removeFromBar(kBlack); }

void Board::addAtPoint(int p, Byte c) {
    if (p < 1 || p > 24) return;
    addChecker(screenToPoint[p], c);
}

void Board::init() {
    animate = false;
    for (int p = 1; p <= 24; ++p) {
        while (count[p] > 0) {
            const Byte before = count[p];
            removeChecker(screenToPoint[p], colour[p] != kBlack ? kWhite : kBlack);
            if (count[p] == before) count[p] = 0;  // a colour byte that is neither: drop the checkers
        }
        colour[p] = 0;
    }
    for (auto& slots : stack) slots.fill(0);
    while (barWhite > 0) removeWhiteFromBar();
    while (barBlack > 0) removeBlackFromBar();
    whiteInUse.fill(0);
    blackInUse.fill(0);
    animate = true;
}

void Board::layOut(const Position& pos) {
    init();
    animate = false;
    for (int p = 1; p <= 24; ++p)
        for (int k = 0; k < pos.count[p] && k < kImages; ++k) addAtPoint(p, pos.colour[p] == kWhite ? kWhite : kBlack);
    for (int k = 0; k < pos.barWhite; ++k) addWhiteToBar();
    for (int k = 0; k < pos.barBlack; ++k) addBlackToBar();
    offWhite = pos.offWhite;
    offBlack = pos.offBlack;
    updateWhitePhase();
    updateBlackPhase();
    animate = true;
}

void Board::restoreTo(const Position& target) {
    while (barWhite > target.barWhite) removeWhiteFromBar();
    while (barBlack > target.barBlack) removeBlackFromBar();
    for (int p = 1; p <= 24; ++p) {
        if (count[p] == 0) continue;
        const Byte own = colour[p] == kWhite ? kWhite : kBlack;
        const bool keepColour = target.count[p] > 0 && target.colour[p] == colour[p];
        const Byte keep = keepColour ? target.count[p] : 0;
        while (count[p] > keep) {
            const Byte before = count[p];
            removeChecker(screenToPoint[p], own);
            if (count[p] == before) break;
        }
    }
    while (barWhite < target.barWhite) {
        const Byte before = barWhite;
        addWhiteToBar();
        if (barWhite == before) break;
    }
    while (barBlack < target.barBlack) {
        const Byte before = barBlack;
        addBlackToBar();
        if (barBlack == before) break;
    }
    for (int p = 1; p <= 24; ++p) {
        if (target.count[p] == 0) continue;
        if (count[p] > 0 && colour[p] != target.colour[p]) continue;
        const Byte c = target.colour[p] == kWhite ? kWhite : kBlack;
        while (count[p] < target.count[p]) {
            const Byte before = count[p];
            addAtPoint(p, c);
            if (count[p] == before) break;
        }
    }
    offWhite = target.offWhite;
    offBlack = target.offBlack;
    updateWhitePhase();
    updateBlackPhase();
}

void Board::rebuild() {
    const Position copy = position();
    init();
    animate = false;
    mapScreenToPoints();
    if (view_) view_->orientationChanged();
    layOut(copy);
}

}  // namespace lumaro

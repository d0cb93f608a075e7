#include "ui/BoardScene.h"

#include "ui/BoardPlaces.h"

namespace lumaro {
namespace {

bool validPoint(int p) { return p >= 1 && p <= 24; }
Side sideOfColour(Byte c) { return c == kWhite ? Side::White : Side::Black; }
Byte& barOf(Position& pos, Byte c) { return c == kWhite ? pos.barWhite : pos.barBlack; }
int barY(Byte c) { return c == kWhite ? places::kWhiteBarY : places::kBlackBarY; }

}  // namespace

BoardScene::BoardScene(bool homeRight) : homeRight_(homeRight) { mapScreenToPoints(); }

void BoardScene::mapScreenToPoints() {
    for (int s = 1; s <= 24; ++s) screenToPoint_[s] = static_cast<Byte>(places::pointAtScreenPosition(s, homeRight_));
}

int BoardScene::trayX() const { return places::trayX(homeRight_); }

void BoardScene::letEventsRun() {
    if (view_) view_->letEventsRun();
}

Byte BoardScene::takeFreeImage(Byte c) {
    Images& inUse = inUse_[sideOfColour(c)];
    for (int i = 1; i <= kImages; ++i) {
        if (inUse[i] == 0) {
            inUse[i] = static_cast<Byte>(i);
            return static_cast<Byte>(i);
        }
    }
    return 0;
}

void BoardScene::addChecker(int s, Byte c, bool animated) {
    const int p = pointAt(s);
    if (!validPoint(p)) return;
    if (shown_.count[p] >= kImages) return;  // a point never holds more than fifteen
    const Byte image = takeFreeImage(c);
    if (image == 0) return;
    shown_.colour[p] = c;
    shown_.count[p] += 1;
    stack_[p][shown_.count[p]] = image;
    if (view_) view_->checkerAppeared(c, image, s, places::pointX(s), places::stackY(s, shown_.count[p]), animated);
    letEventsRun();
}

void BoardScene::removeChecker(int s, Byte c, bool animated) {
    const int p = pointAt(s);
    if (!validPoint(p)) return;
    if (shown_.count[p] == 0 || shown_.colour[p] != c) return;
    const Byte image = stack_[p][shown_.count[p]];
    stack_[p][shown_.count[p]] = 0;
    if (image >= 1 && image <= kImages) {
        if (view_) view_->checkerFaded(c, image, s, animated);
        inUse_[sideOfColour(c)][image] = 0;
    }
    letEventsRun();
    lastX_ = places::pointX(s);
    lastY_ = places::stackY(s, shown_.count[p]);
    shown_.count[p] -= 1;
}

void BoardScene::addToBar(Byte c, bool animated) {
    Byte& bar = barOf(shown_, c);
    if (bar >= kImages) return;
    const Byte image = takeFreeImage(c);
    if (image == 0) return;
    bar += 1;
    barStack_[sideOfColour(c)][bar] = image;
    if (view_) view_->checkerAppeared(c, image, 0, places::kBarX, barY(c), animated);
    letEventsRun();
}

void BoardScene::removeFromBar(Byte c, bool animated) {
    Byte& bar = barOf(shown_, c);
    if (bar == 0) return;
    Images& barStack = barStack_[sideOfColour(c)];
    const Byte image = bar <= kImages ? barStack[bar] : 0;  // the last to arrive leaves first
    if (bar <= kImages) barStack[bar] = 0;
    bar -= 1;
    if (image >= 1 && image <= kImages) {
        inUse_[sideOfColour(c)][image] = 0;
        if (view_) view_->checkerFaded(c, image, 0, animated);
    }
    letEventsRun();
    lastX_ = places::kBarX;
    lastY_ = barY(c);
}

void BoardScene::flyFromLast(Byte c, int x, int y) {
    if (view_) view_->checkerFlying(c, lastX_, lastY_, x, y);
}

void BoardScene::checkerLeft(Side side, int point, bool animated) {
    const Byte c = colourOf(side);
    if (point == 0)
        removeFromBar(c, animated);
    else if (validPoint(point))
        removeChecker(screenPositionOf(point), c, animated);
}

void BoardScene::checkerArrived(Side side, int point, bool animated) {
    const Byte c = colourOf(side);
    const bool white = side == Side::White;
    if (point == 0) {
        flyFromLast(c, places::kBarX, barY(c));
        addToBar(c, animated);
    } else if (point == 25) {
        (white ? shown_.offWhite : shown_.offBlack) += 1;
        flyFromLast(c, trayX(), white ? places::kWhiteTrayY : places::kBlackTrayY);
    } else if (validPoint(point)) {
        const int s = screenPositionOf(point);
        flyFromLast(c, places::pointX(s), places::stackY(s, shown_.count[point] + 1));
        addChecker(s, c, animated);
    }
}

void BoardScene::clear() {
    for (int p = 1; p <= 24; ++p) {
        while (shown_.count[p] > 0) {
            const Byte before = shown_.count[p];
            removeChecker(screenPositionOf(p), shown_.colour[p] != kBlack ? kWhite : kBlack, false);
            if (shown_.count[p] == before) shown_.count[p] = 0;  // a colour byte that is neither: drop the checkers
        }
        shown_.colour[p] = 0;
    }
    for (auto& slots : stack_) slots.fill(0);
    while (shown_.barWhite > 0) removeFromBar(kWhite, false);
    while (shown_.barBlack > 0) removeFromBar(kBlack, false);
    inUse_[Side::White].fill(0);
    inUse_[Side::Black].fill(0);
}

void BoardScene::layOut(const Position& pos) {
    clear();
    for (int p = 1; p <= 24; ++p)
        for (int k = 0; k < pos.count[p] && k < kImages; ++k)
            addChecker(screenPositionOf(p), pos.colour[p] == kWhite ? kWhite : kBlack, false);
    for (int k = 0; k < pos.barWhite; ++k) addToBar(kWhite, false);
    for (int k = 0; k < pos.barBlack; ++k) addToBar(kBlack, false);
    shown_.offWhite = pos.offWhite;
    shown_.offBlack = pos.offBlack;
}

void BoardScene::restoreTo(const Position& target) {
    while (shown_.barWhite > target.barWhite) removeFromBar(kWhite, false);
    while (shown_.barBlack > target.barBlack) removeFromBar(kBlack, false);
    for (int p = 1; p <= 24; ++p) {
        if (shown_.count[p] == 0) continue;
        const Byte own = shown_.colour[p] == kWhite ? kWhite : kBlack;
        const bool keepColour = target.count[p] > 0 && target.colour[p] == shown_.colour[p];
        const Byte keep = keepColour ? target.count[p] : 0;
        while (shown_.count[p] > keep) {
            const Byte before = shown_.count[p];
            removeChecker(screenPositionOf(p), own, false);
            if (shown_.count[p] == before) break;
        }
    }
    while (shown_.barWhite < target.barWhite) {
        const Byte before = shown_.barWhite;
        addToBar(kWhite, false);
        if (shown_.barWhite == before) break;
    }
    while (shown_.barBlack < target.barBlack) {
        const Byte before = shown_.barBlack;
        addToBar(kBlack, false);
        if (shown_.barBlack == before) break;
    }
    for (int p = 1; p <= 24; ++p) {
        if (target.count[p] == 0) continue;
        if (shown_.count[p] > 0 && shown_.colour[p] != target.colour[p]) continue;
        const Byte c = target.colour[p] == kWhite ? kWhite : kBlack;
        while (shown_.count[p] < target.count[p]) {
            const Byte before = shown_.count[p];
            addChecker(screenPositionOf(p), c, false);
            if (shown_.count[p] == before) break;
        }
    }
    shown_.offWhite = target.offWhite;
    shown_.offBlack = target.offBlack;
}

void BoardScene::redraw() {
    const Position copy = shown_;
    clear();
    mapScreenToPoints();
    if (view_) view_->orientationChanged();
    layOut(copy);
}

void BoardScene::setHomeRight(bool homeRight) {
    homeRight_ = homeRight;
    redraw();
}

int BoardScene::pointOfImage(Side side, int image) const {
    if (image < 1 || image > kImages) return 0;
    const Byte c = colourOf(side);
    for (int p = 1; p <= 24; ++p) {
        if (shown_.count[p] == 0 || shown_.colour[p] != c) continue;
        for (int k = 1; k <= shown_.count[p] && k <= kImages; ++k)
            if (stack_[p][k] == image) return p;
    }
    return 0;
}

int BoardScene::imageAt(int p, int slot) const {
    if (!validPoint(p) || slot < 1 || slot > kImages) return 0;
    return stack_[p][slot];
}

int BoardScene::barImage(Side side, int slot) const {
    if (slot < 1 || slot > kImages) return 0;
    return barStack_[side][slot];
}

int BoardScene::imagesInUse(Side side) const {
    int used = 0;
    for (int i = 1; i <= kImages; ++i) used += inUse_[side][i] != 0;
    return used;
}

}  // namespace lumaro

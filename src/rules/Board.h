#pragma once
// The live game position with its checker images. Every change goes through the add and remove
// operations below, which keep the image bookkeeping and tell the view, so the drawn board always
// shows the model. The operations trust their callers on legality but never index out of range.
#include "rules/BoardView.h"
#include "rules/Position.h"

namespace lumaro {

class Board : public Position {
public:
    static constexpr int kImages = 15;

    Byte phaseWhite = 0;
    Byte phaseBlack = 0;
    Byte homeRight = 1;                     // both home boards drawn on the right
    std::array<Byte, 25> screenToPoint{};   // screen position -> logical point (its own inverse)
    std::array<Byte, kImages + 1> whiteInUse{};
    std::array<Byte, kImages + 1> blackInUse{};
    std::array<std::array<Byte, kImages + 1>, 25> stack{};  // image numbers, slot 1 at the edge
    std::array<Byte, kImages + 1> barStackWhite{};
    std::array<Byte, kImages + 1> barStackBlack{};
    int lastX = 0;  // where the last removed checker stood: the move animation starts there
    int lastY = 0;
    bool animate = true;

    Board();
    void setView(BoardView* view) { view_ = view; }

    void mapScreenToPoints();
    void init();
    void addWhiteAt(int s);
    void addBlackAt(int s);
    void removeWhiteAt(int s);
    void removeBlackAt(int s);
    void addWhiteToBar();
    void addBlackToBar();
    void removeWhiteFromBar();
    void removeBlackFromBar();
    void updateWhitePhase() { phaseWhite = whitePhaseOf(*this); }
    void updateBlackPhase() { phaseBlack = blackPhaseOf(*this); }

    // Adds a checker of `colour` on logical point p (addWhiteAt / addBlackAt on its screen position).
    void addAtPoint(int p, Byte colour);
    // Lays out `pos` on an empty board at once (no appear effects); bars included,
    // borne-off counts copied. Used by a new game and by rebuild.
    void layOut(const Position& pos);
    // Brings the board to `target` moving only the checkers that differ (removals first,
    // so a free image always exists). The borne-off counts are copied.
    void restoreTo(const Position& target);
    // Lays every checker out again (after SIDE flipped homeRight, or a new colour scheme).
    void rebuild();
    // The position alone, without the image bookkeeping.
    Position position() const { return static_cast<const Position&>(*this); }

    // Animates a checker of `colour` from the last position to (x, y).
    void flyFromLast(Byte colour, int x, int y);
    // Where the next checker on logical point p would stand.
    int nextSlotX(int p) const { return pointX(screenToPoint[p]); }
    int nextSlotY(int p) const { return stackY(screenToPoint[p], count[p] + 1); }
    // Where checkers borne off and sent to the bar go.
    int trayX() const { return homeRight ? 780 : 0; }
    static constexpr int kWhiteTrayY = 400;
    static constexpr int kBlackTrayY = 200;

    // Drawing places on the 800 x 600 board.
    static int pointX(int s);
    static int stackY(int s, int k);
    static constexpr int kBarX = 374;
    static constexpr int kWhiteBarY = 30;
    static constexpr int kBlackBarY = 520;

private:
    void addChecker(int s, Byte colour);
    void removeChecker(int s, Byte colour);
    void addToBar(Byte colour);
    void removeFromBar(Byte colour);
    Byte takeFreeImage(Byte colour);
    void letEventsRun();

    BoardView* view_ = nullptr;
};

}  // namespace lumaro

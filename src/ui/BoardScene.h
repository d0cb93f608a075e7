#pragma once
// The checkers as the board window shows them: which checker image stands where and in which
// stack slot, at which pixel place, and which logical point each screen position shows (the SIDE
// option). The game tells it what happened through its screen (a checker left a point, arrived
// on one, the position was laid out); the scene keeps its own images in step and tells its view
// what to draw: a checker appears, fades, flies. Every change lets window events run, as the
// player's board always did. Points are logical, 1..24; 0 is a side's bar and 25 its tray.
#include <array>

#include "rules/Position.h"
#include "ui/SceneView.h"

namespace lumaro {

class BoardScene {
public:
    static constexpr int kImages = 15;

    explicit BoardScene(bool homeRight = true);
    void setView(SceneView* view) { view_ = view; }

    // Both home boards drawn on the right (true) or on the left.
    bool homeRight() const { return homeRight_; }
    // The logical point shown at screen position s (1..24); 0 for anything else. The table is its
    // own inverse: screenPositionOf(p) is the screen position of logical point p.
    int pointAt(int s) const { return s >= 1 && s <= 24 ? screenToPoint_[static_cast<std::size_t>(s)] : 0; }
    int screenPositionOf(int p) const { return pointAt(p); }

    // A checker of `side` leaves `point` (0: its bar): the top one of a stack, the last to arrive
    // on the bar. `animated`: with the fade effect.
    void checkerLeft(Side side, int point, bool animated);
    // A checker of `side` flies from where the last one left to `point` (0: its bar, 25: its tray)
    // and, except on the tray, appears there.
    void checkerArrived(Side side, int point, bool animated);
    // Every checker leaves at once, without effects.
    void clear();
    // Brings the board to `target` at once, moving only the checkers that differ (removals
    // first, so a free image always exists). The borne-off counts are copied.
    void restoreTo(const Position& target);
    // SIDE: the home boards go to the other side; every checker is laid out again.
    void setHomeRight(bool homeRight);
    // New checker colours or a new skin: every checker image carries the board under it, so each
    // is laid out again where it stands.
    void redraw();

    // The position the board shows.
    const Position& position() const { return shown_; }
    // The logical point (1..24) whose stack holds image `image` of `side`; 0 when none does (the
    // checker is on the bar).
    int pointOfImage(Side side, int image) const;
    // The image in stack slot `slot` (1 at the edge) of logical point p, or on the side's bar; 0
    // for an empty slot.
    int imageAt(int p, int slot) const;
    int barImage(Side side, int slot) const;
    // How many images of the side are in use.
    int imagesInUse(Side side) const;
    // Where checkers borne off go.
    int trayX() const;

private:
    void mapScreenToPoints();
    Byte takeFreeImage(Byte colour);
    void addChecker(int s, Byte colour, bool animated);
    void removeChecker(int s, Byte colour, bool animated);
    void addToBar(Byte colour, bool animated);
    void removeFromBar(Byte colour, bool animated);
    void flyFromLast(Byte colour, int x, int y);
    // Every checker of `pos` placed at once on an empty board: points from 1 up, then the bars.
    void layOut(const Position& pos);
    void letEventsRun();

    bool homeRight_ = true;
    std::array<Byte, 25> screenToPoint_{};
    Position shown_;
    using Images = std::array<Byte, kImages + 1>;  // image numbers, slot 1 at the edge
    BySide<Images> inUse_;
    std::array<Images, 25> stack_{};  // by logical point
    BySide<Images> barStack_;
    int lastX_ = 0;  // where the last checker to leave stood: the next flight starts there
    int lastY_ = 0;
    SceneView* view_ = nullptr;
};

}  // namespace lumaro

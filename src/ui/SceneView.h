#pragma once
// What the board scene asks of the window that draws it. The board window animates these; the
// scene's tests record them.

namespace lumaro {

class SceneView {
public:
    virtual ~SceneView() = default;
    // Checker image `image` (1..15) of `colour` now stands on screen position `s` (0: the bar) at
    // (x, y), in front of the others. `animated`: play the appear effect.
    virtual void checkerAppeared(int colour, int image, int s, int x, int y, bool animated) = 0;
    // Checker image `image` of `colour` leaves screen position `s` (0: the bar), with the fade
    // effect when `animated`, and is hidden.
    virtual void checkerFaded(int colour, int image, int s, bool animated) = 0;
    // A checker of `colour` travels from (fromX, fromY) to (toX, toY): the move animation.
    virtual void checkerFlying(int /*colour*/, int /*fromX*/, int /*fromY*/, int /*toX*/, int /*toY*/) {}
    // The screen-to-point mapping changed (SIDE): the point labels need renumbering.
    virtual void orientationChanged() {}
    // Let pending window events run (repaint, timers), as every checker change does.
    virtual void letEventsRun() {}
};

}  // namespace lumaro

#pragma once
// Clicks meant for a box that has just gone. A question that answers itself as the player reaches
// for YES, or a double click on CLOSE of a window, sends the next click to whatever lay under the
// box: the cube under YES, the board under CLOSE. For a moment after a message box or a tool window
// closes, and while a button pressed when the box was still up stays down, the board takes no click.
// The message box keeps the same moment after it opens (MessagePanel::justOpened).
#include <cstdint>

namespace lumaro {

class LateClickGuard {
public:
    static constexpr std::int64_t kQuietMs = 500;

    // A box closed at `nowMs` (a monotonic clock in milliseconds).
    void boxClosed(std::int64_t nowMs) { quietUntil_ = nowMs + kQuietMs; }
    // A button went down while a box was up; it counts until every button is up again.
    void pressedUnderBox() { heldFromBox_ = true; }
    void allButtonsUp() { heldFromBox_ = false; }
    bool refuses(std::int64_t nowMs) const { return heldFromBox_ || nowMs < quietUntil_; }

private:
    std::int64_t quietUntil_ = 0;
    bool heldFromBox_ = false;
};

}  // namespace lumaro

#pragma once
// A board view that writes down what the board told it, for tests.
#include <string>
#include <vector>

#include "rules/BoardView.h"

namespace lumaro::testing {

struct ViewEvent {
    bool appeared;  // false: faded
    int colour;
    int image;
    int screenPosition;  // 0: the bar
    int x;
    int y;
    bool animated;
};

class RecordingView : public BoardView {
public:
    std::vector<ViewEvent> events;
    int orientationChanges = 0;

    void checkerAppeared(int colour, int image, int s, int x, int y, bool animated) override {
        events.push_back({true, colour, image, s, x, y, animated});
    }
    void checkerFaded(int colour, int image, int s, bool animated) override {
        events.push_back({false, colour, image, s, 0, 0, animated});
    }
    void orientationChanged() override { ++orientationChanges; }
};

}  // namespace lumaro::testing

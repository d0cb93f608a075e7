#pragma once
// A scene view that writes down what the board scene told it, for tests.
#include <vector>

#include "ui/SceneView.h"

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

struct Flight {
    int colour;
    int fromX, fromY, toX, toY;
};

class RecordingView : public SceneView {
public:
    std::vector<ViewEvent> events;
    std::vector<Flight> flights;
    int orientationChanges = 0;
    int eventsRun = 0;

    void checkerAppeared(int colour, int image, int s, int x, int y, bool animated) override {
        events.push_back({true, colour, image, s, x, y, animated});
    }
    void checkerFaded(int colour, int image, int s, bool animated) override {
        events.push_back({false, colour, image, s, 0, 0, animated});
    }
    void checkerFlying(int colour, int fromX, int fromY, int toX, int toY) override {
        flights.push_back({colour, fromX, fromY, toX, toY});
    }
    void orientationChanged() override { ++orientationChanges; }
    void letEventsRun() override { ++eventsRun; }
    void clear() {
        events.clear();
        flights.clear();
    }
};

}  // namespace lumaro::testing

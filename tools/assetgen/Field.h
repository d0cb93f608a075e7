#pragma once
// A grid of floats the size of a picture: heights, masks and shadows are built in these
// before any colour is chosen.
#include <vector>

namespace lumaro::art {

class Field {
public:
    Field(int width, int height, float fill = 0.f);

    int width() const { return w_; }
    int height() const { return h_; }
    float& at(int x, int y) { return v_[static_cast<std::size_t>(y) * w_ + x]; }
    float at(int x, int y) const { return v_[static_cast<std::size_t>(y) * w_ + x]; }
    // Reads outside the grid take the nearest edge value.
    float clamped(int x, int y) const;

    // Three box passes of the given radius: close to a gaussian of sigma ~ radius.
    void blur(int radius);
    // Moves the contents by (dx, dy); uncovered cells take `fill`.
    Field shifted(int dx, int dy, float fill) const;

private:
    void boxPass(int radius, bool horizontal);
    int w_, h_;
    std::vector<float> v_;
};

}  // namespace lumaro::art

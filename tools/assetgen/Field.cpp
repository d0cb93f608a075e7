#include "Field.h"

#include <algorithm>

namespace lumaro::art {

Field::Field(int width, int height, float fill)
    : w_(width), h_(height), v_(static_cast<std::size_t>(width) * height, fill) {}

float Field::clamped(int x, int y) const {
    return at(std::clamp(x, 0, w_ - 1), std::clamp(y, 0, h_ - 1));
}

void Field::boxPass(int radius, bool horizontal) {
    const int n = horizontal ? w_ : h_;
    const int lines = horizontal ? h_ : w_;
    std::vector<float> line(n), out(n);
    for (int l = 0; l < lines; ++l) {
        for (int i = 0; i < n; ++i) line[i] = horizontal ? at(i, l) : at(l, i);
        // Running sum over a window that clamps at the ends.
        float sum = 0.f;
        for (int k = -radius; k <= radius; ++k) sum += line[std::clamp(k, 0, n - 1)];
        for (int i = 0; i < n; ++i) {
            out[i] = sum / static_cast<float>(2 * radius + 1);
            sum += line[std::clamp(i + radius + 1, 0, n - 1)] - line[std::clamp(i - radius, 0, n - 1)];
        }
        for (int i = 0; i < n; ++i) (horizontal ? at(i, l) : at(l, i)) = out[i];
    }
}

void Field::blur(int radius) {
    if (radius <= 0) return;
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(radius, true);
        boxPass(radius, false);
    }
}

Field Field::shifted(int dx, int dy, float fill) const {
    Field out(w_, h_, fill);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const int sx = x - dx, sy = y - dy;
            if (sx >= 0 && sy >= 0 && sx < w_ && sy < h_) out.at(x, y) = at(sx, sy);
        }
    return out;
}

}  // namespace lumaro::art

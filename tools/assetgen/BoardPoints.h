#pragma once
// The 24 points: long triangles from the field edges towards the dice strip, in two
// alternating colours, with soft edges and a little rounding in their shading.
#include "BoardSkin.h"

namespace lumaro::art {

struct PointPixel {
    float coverage = 0.f;  // 0 cloth only .. 1 fully inside a point
    Rgb colour;            // the point's colour at this pixel, shading included
};

PointPixel pointAt(const BoardSkin& skin, int x, int y);

}  // namespace lumaro::art

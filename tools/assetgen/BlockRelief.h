#pragma once
// Shared by the small pieces (dice, cube): a rounded square block lit from the top left.
#include "Pixel.h"

namespace lumaro::art {

struct Block {
    float x0, y0, x1, y1;  // outline in picture coordinates
    float radius;          // corner rounding
    float bevel;           // width of the rounded edge
};

// Signed distance to the block's outline (negative inside).
float blockDistance(const Block& b, float px, float py);

// 0..1 of pixel (x, y) inside the block, from 5 x 5 samples.
float blockCoverage(const Block& b, int x, int y);

// Light on the block's surface at a point inside: 1 on the flat top, more on the edges facing
// the light, less on those facing away.
float blockLight(const Block& b, float px, float py);

// 0..1 shadow of the block on the ground beneath, cast down and right, soft.
float blockShadow(const Block& b, int x, int y, float offset, float softness);

}  // namespace lumaro::art

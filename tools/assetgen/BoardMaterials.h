#pragma once
// The surfaces of the board: wood or brushed graphite for the frame, cloth for the fields.
#include "BoardSkin.h"

namespace lumaro::art {

// The frame at (x, y): each piece (rails, side margins, bar) has its own grain direction and
// seed, and the rails meet the sides in mitred corners. The bar's surface depends on x alone,
// so the cube picture matches it at every height.
Rgb frameSurface(const BoardSkin& skin, int x, int y);

// Cloth texture laid over `base`: fine fibres, soft mottling and, for the modern cloth, a weave.
Rgb clothSurface(const BoardSkin& skin, Rgb base, int x, int y);

}  // namespace lumaro::art

#pragma once
// The shape of the board before it has colour: which part each pixel belongs to and how high
// it stands, from the sunken cloth (0) to the top of the frame (1).
#include "Field.h"

namespace lumaro::art {

enum class Region { Frame, Field, Tray };  // the bar is part of the frame

Region regionAt(int x, int y);

// Heights of the whole 800 x 600 board.
Field boardHeights();

// How much the frame shades each pixel of the lower parts when lit from the top left, 0..1.
Field castShadow(const Field& heights);

// Light falling on the surface: 1 on flat ground, more on slopes facing the top left.
float reliefLight(const Field& heights, int x, int y, float depthPixels);

// Distance from the nearer playing field (0 inside it).
float fieldDistance(int x, int y);

// Signed distance from the number plates of a column (pixel centres; negative inside).
float plateDistance(int x, int y, int columnX);

// Signed distance to a rectangle with rounded corners (negative inside).
float roundRectDistance(float x, float y, float x0, float y0, float x1, float y1, float radius);

}  // namespace lumaro::art

#pragma once
// The checker pictures, the shading map they share, and the small dot that travels with a
// moving checker. The game composes each checker over the board: pure white in a checker
// picture is transparent, and the map decides which pixels are solid, which blend into the
// board at the edge and how deep the shadow falls.
#include <QImage>

#include "Pixel.h"

namespace lumaro::art {

constexpr int kCheckerSchemes = 3;

// The disc inside the 51 x 51 picture: up and left of centre, leaving room for the shadow.
constexpr float kCheckerCentre = 24.5f;
constexpr float kCheckerRadius = 22.5f;

struct CheckerStyle {
    Rgb body;        // the face colour
    Rgb inlay;       // the ring set into the face
    float gloss;     // strength of the highlight
    float figure;    // strength of the material's veining
    unsigned seed;
};

// `white` picks the side, `scheme` 1..3 the colour pair.
CheckerStyle checkerStyle(bool white, int scheme);

// 0..1: how much of pixel (x, y) the disc covers.
float checkerCoverage(int x, int y);

QImage paintChecker(const CheckerStyle& style);  // 51 x 51, RGB
QImage paintShadingMap();                         // 51 x 51, RGB
QImage paintMoveSprite();                         // 5 x 5, RGB, pure white corners

}  // namespace lumaro::art

#pragma once
// The two board skins: what the frame is made of and the colours of cloth, points and plates.
#include <QString>
#include <cstdint>

#include "Pixel.h"

namespace lumaro::art {

enum class FrameMaterial { Walnut, Graphite };

struct BoardSkin {
    QString name;  // used in file names: board-<name>.jpg, cube-<name>-<n>.png
    FrameMaterial frame;
    Rgb frameDark, frameLight;  // the two ends of the grain or brushing
    Rgb cloth;                  // the playing fields
    Rgb trayCloth;              // the lining of the bear-off trays
    Rgb pointA, pointB;         // alternating points
    Rgb plate, plateEdge;       // the plates behind the point numbers
    Rgb accent;                 // the inlaid line round the fields and the emblem
    Rgb cubeFace, cubeInk;      // the doubling cube of this skin
    bool serifCube;             // numbers on the cube in a serif face
    std::uint32_t seed;
};

BoardSkin classicSkin();  // warm walnut and green baize, cream and oxblood points
BoardSkin modernSkin();   // graphite and slate cloth, teal and ivory points

}  // namespace lumaro::art

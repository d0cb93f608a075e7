#include "BoardSkin.h"

namespace lumaro::art {

BoardSkin classicSkin() {
    BoardSkin s;
    s.name = QStringLiteral("classic");
    s.frame = FrameMaterial::Walnut;
    s.frameDark = {58, 32, 18};
    s.frameLight = {132, 82, 46};
    s.cloth = {30, 98, 58};
    s.trayCloth = {24, 78, 46};
    s.pointA = {208, 180, 130};
    s.pointB = {128, 30, 32};
    s.plate = {216, 199, 164};
    s.plateEdge = {150, 120, 80};
    s.accent = {196, 156, 84};
    s.cubeFace = {240, 232, 212};
    s.cubeInk = {88, 40, 22};
    s.serifCube = true;
    s.seed = 1177u;
    return s;
}

BoardSkin modernSkin() {
    BoardSkin s;
    s.name = QStringLiteral("modern");
    s.frame = FrameMaterial::Graphite;
    s.frameDark = {40, 44, 50};
    s.frameLight = {78, 84, 92};
    s.cloth = {56, 74, 86};
    s.trayCloth = {44, 58, 68};
    s.pointA = {26, 146, 142};
    s.pointB = {226, 220, 200};
    s.plate = {194, 200, 206};
    s.plateEdge = {110, 116, 124};
    s.accent = {40, 170, 164};
    s.cubeFace = {236, 238, 240};
    s.cubeInk = {14, 104, 102};
    s.serifCube = false;
    s.seed = 2291u;
    return s;
}

}  // namespace lumaro::art

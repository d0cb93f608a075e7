#pragma once
// The doubling cube of a skin, one picture per value. The cube lies on the bar, so each
// picture carries the bar's own surface around the cube; the bar looks the same at every
// height, so one picture fits all three places.
#include <QImage>

#include "BoardSkin.h"

namespace lumaro::art {

// `board` is the skin's board as painted (before JPEG compression).
QImage paintCube(const BoardSkin& skin, int value, const QImage& board);

}  // namespace lumaro::art

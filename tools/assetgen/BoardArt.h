#pragma once
// A whole 800 x 600 board picture of one skin.
#include <QImage>

#include "BoardSkin.h"

namespace lumaro::art {

QImage paintBoard(const BoardSkin& skin);

}  // namespace lumaro::art

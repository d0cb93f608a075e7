#pragma once
// A whole 800 x 600 board picture of one skin, and the plates behind its point numbers, which
// the board window lays over it only while the numbers show.
#include <QImage>

#include "BoardSkin.h"

namespace lumaro::art {

QImage paintBoard(const BoardSkin& skin);
// 800 x 600 with alpha: the number plates on the rails, transparent everywhere else.
QImage paintNumberPlates(const BoardSkin& skin);

}  // namespace lumaro::art

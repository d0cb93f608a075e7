#pragma once
// The pip graph of the statistics window: a blue field of 661 x 181 pixels with a grid every 30
// pixels (the first line of each direction darker, the last lighter), and Black's pip history in
// amber (black would vanish into the dark blue), then White's in white, once each colour has rolled
// three times.
#include <QImage>

#include "game/PositionStats.h"

namespace lumaro {

QImage paintPipGraph(const PipGraph& graph);

// The graph's colours, for the tests and the captions beside it.
inline QColor pipGraphBackground() { return QColor(28, 66, 128); }
inline QColor pipGraphBlackLine() { return QColor(255, 170, 40); }

}  // namespace lumaro

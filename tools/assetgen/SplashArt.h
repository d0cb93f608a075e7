#pragma once
// The start-up picture on the black backdrop, and the background the tool windows share
// (settings, statistics, help).
#include <QImage>

namespace lumaro::art {

QImage paintSplash();              // 420 x 280, fades to black at its edges
// 758 x 600: light linen, so the controls' dark text reads well, under a dark band of
// kToolHeaderHeight rows for the title, all inside a thin gold frame.
inline constexpr int kToolHeaderHeight = 64;
QImage paintToolWindowBackground();

}  // namespace lumaro::art

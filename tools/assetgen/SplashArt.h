#pragma once
// The start-up picture on the black backdrop, and the settings window's background.
#include <QImage>

namespace lumaro::art {

QImage paintSplash();              // 420 x 280, fades to black at its edges
QImage paintSettingsBackground();  // 758 x 600, light, so the controls' dark text reads well

}  // namespace lumaro::art

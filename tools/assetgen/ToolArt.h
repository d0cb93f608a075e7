#pragma once
// The small marks the tool windows' controls draw with: the tick of a check box and the arrows of
// a number field. Each sits on a transparent ground so the control's own plate shows round it.
#include <QImage>

namespace lumaro::art {

QImage paintToolCheckMark();          // 14 x 14: a white tick for the deep blue box of a ticked option
QImage paintToolArrow(bool up);       // 9 x 6: a dark blue arrow for a number field's buttons

}  // namespace lumaro::art

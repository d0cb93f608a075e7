#pragma once
// The die faces (0 blank, 1..6) and the mask that blends them onto the board: where a face
// is drawn, where its edge is mixed with the board, and where its shadow falls.
#include <QImage>

namespace lumaro::art {

QImage paintDieFace(int value);  // 51 x 51, RGB; pure white where the board shows
QImage paintDieMask();           // 51 x 51, RGB

// Centre of each pip of a value, in picture coordinates (for the tests as well).
struct Pip {
    float x, y;
};
int pipLayout(int value, Pip out[6]);

}  // namespace lumaro::art

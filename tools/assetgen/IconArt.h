#pragma once
// The program's icon for the desktop's application menu: a corner of the board, two points, a
// white and a black checker and a die, drawn at any size so that each size is crisp.
#include <QImage>
#include <array>

namespace lumaro::art {

// The sizes installed under share/icons/hicolor/NxN/apps.
inline constexpr std::array<int, 4> kIconSizes{48, 64, 128, 256};
QImage paintIcon(int size);  // size x size, transparent corners

}  // namespace lumaro::art

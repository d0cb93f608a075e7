#pragma once
// The program's icon for the desktop's application menu: a corner of the board, two points, a
// white and a black checker and a die, drawn at any size so that each size is crisp.
#include <QByteArray>
#include <QImage>
#include <array>

namespace lumaro::art {

// The sizes installed under share/icons/hicolor/NxN/apps: the small ones menus and panels ask for,
// and the large ones of launchers and software centres.
inline constexpr std::array<int, 8> kIconSizes{16, 22, 24, 32, 48, 64, 128, 256};
QImage paintIcon(int size);  // size x size, transparent corners
// The same drawing as an SVG picture, for share/icons/hicolor/scalable/apps.
QByteArray iconSvg();

}  // namespace lumaro::art

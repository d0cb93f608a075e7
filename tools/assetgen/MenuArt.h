#pragma once
// The menu panel that slides in from the left: the strip behind its fifteen items, the hover
// and pressed highlights, the separators between groups, the emblem at its foot, and the two
// network activity lights of the board.
#include <QImage>

namespace lumaro::art {

QImage paintMenuStrip();      // 49 x 600, RGB, black around the item plates
QImage paintMenuHighlight(bool pressed);  // 45 x 21, RGB
QImage paintMenuSeparator();  // 45 x 9, RGB on black
QImage paintMenuEmblem();     // 32 x 32, RGB on black
QImage paintActivityLight(bool active);  // 12 x 12, with alpha

// Top edges of the item groups (START.., BACK.., SIDE.., HIDE.., HELP..) and their bottoms.
struct MenuGroup {
    int top, bottom;
};
constexpr MenuGroup kMenuGroups[] = {{32, 95}, {136, 199}, {240, 303}, {344, 406}, {449, 512}};

}  // namespace lumaro::art

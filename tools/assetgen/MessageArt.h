#pragma once
// The message box: its panel template (black lets the darkened board through), the five
// pictures that tell what a message is about, and the YES and NO buttons.
#include <QImage>
#include <QString>

namespace lumaro::art {

// Picture kinds, as the game numbers them.
enum MessageKind { NewGame = 0, RuleNotice = 1, Score = 2, Resign = 3, Cube = 4 };
constexpr int kMessageKinds = 5;

QImage paintMessagePanel();             // 360 x 210, RGB
QImage paintKindPicture(int kind);      // 90 x 109, RGB, fills the panel's picture frame
QString kindPictureName(int kind);      // message-<kind>-<what>.png

enum class ButtonLook { Normal, Hover, Pressed };
QImage paintButton(bool yes, ButtonLook look);  // 77 x 33, with alpha

}  // namespace lumaro::art

#pragma once
// The pixel recipes of the board window: a checker composed over the board with its shading map,
// its appear and fade frames, a die composed with its mask, and the message panel's background.
// A pure white pixel of a result is transparent, as in the checker pictures.
#include <QImage>

namespace lumaro {

inline constexpr int kCheckerSize = 51;
inline constexpr int kDieSize = 51;

// The final picture of a checker standing over `board` (the 51 x 51 piece under it).
QImage composeChecker(const QImage& board, const QImage& checker, const QImage& shading);
// The first frame of the appear effect: the checker half over the board.
QImage appearFrame(const QImage& board, const QImage& checker, const QImage& shading);
// The one frame of the fade effect.
QImage fadeFrame(const QImage& current, const QImage& board);
// A die face over `board` (what is drawn under the die), by the die mask. Pixels outside the die
// and its shadow are transparent, so a checker under the die keeps showing there.
QImage composeDie(const QImage& board, const QImage& face, const QImage& mask);
// A played die: every channel below 255 times 85/100; transparent pixels stay transparent.
QImage darkenDie(const QImage& die);
// The message panel's background: the template where it is not black, else the board darkened.
QImage messageBackground(const QImage& board, const QImage& panelTemplate);

// Pure white pixels become transparent.
QImage withWhiteTransparent(const QImage& picture);

}  // namespace lumaro

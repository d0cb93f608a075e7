#pragma once
// Texts fitted into fixed rooms, as the message box needs for names and addresses of any width:
// the largest size at which each text shows whole, rows broken at spaces, and only as a last
// resort words broken or the text cut short with an ellipsis.
#include <QFont>
#include <QFontMetrics>
#include <QSize>
#include <QStringList>
#include <vector>

namespace lumaro {

struct TextRoom {
    QString text;
    QSize size;                 // the width of a row and the height all rows may take
    bool wrapAtAnySize = false;  // may take several rows before a smaller size is tried
};

struct FittedTexts {
    QFont font;
    std::vector<QStringList> rows;  // one list per room, in order
};

// Every text of `rooms` at one size: the largest from `largest` down to `smallest` pixels at which
// each shows whole, on one row (or on as many as its room holds where it may wrap at any size).
// When even `smallest` is too large, a text that still does not fit takes as many rows as its room
// holds, breaking words where it must, and its last row ends in an ellipsis when more is left.
FittedTexts fitTexts(const std::vector<TextRoom>& rooms, QFont font, int largest, int smallest);

// `text` in rows no wider than `width`, broken at spaces. A word wider than a row stands on a row of
// its own, broken into pieces only when `breakWords`.
QStringList wrapText(const QString& text, const QFontMetrics& metrics, int width, bool breakWords);

// How many rows of `font` a room `height` pixels high holds (at least one).
int rowsThatFit(const QFont& font, int height);

}  // namespace lumaro

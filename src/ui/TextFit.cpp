#include "ui/TextFit.h"

#include <algorithm>

namespace lumaro {
namespace {

QFont atSize(QFont font, int pixels) {
    font.setPixelSize(pixels);
    return font;
}

// Whether the rows fit the room: few enough, none too wide.
bool fits(const QStringList& rows, const QFontMetrics& metrics, int width, int maxRows) {
    if (rows.size() > maxRows) return false;
    return std::all_of(rows.begin(), rows.end(), [&](const QString& row) { return metrics.horizontalAdvance(row) <= width; });
}

}  // namespace

int rowsThatFit(const QFont& font, int height) { return std::max(1, height / QFontMetrics(font).lineSpacing()); }

QStringList wrapText(const QString& text, const QFontMetrics& metrics, int width, bool breakWords) {
    QStringList rows;
    QString row;
    for (QString word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString joined = row.isEmpty() ? word : row + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(joined) <= width) {
            row = joined;
            continue;
        }
        if (!row.isEmpty()) rows << row;
        // The word begins a row of its own; broken where the row ends, never inside a character.
        while (breakWords && word.size() > 1 && metrics.horizontalAdvance(word) > width) {
            qsizetype n = word.size() - 1;
            while (n > 1 && metrics.horizontalAdvance(word.left(n)) > width) --n;
            if (n > 1 && word.at(n - 1).isHighSurrogate()) --n;
            rows << word.left(n);
            word = word.mid(n);
        }
        row = word;
    }
    if (!row.isEmpty()) rows << row;
    return rows;
}

FittedTexts fitTexts(const std::vector<TextRoom>& rooms, QFont font, int largest, int smallest) {
    std::vector<QString> texts;
    for (const TextRoom& room : rooms) texts.push_back(room.text.simplified());
    FittedTexts fitted;
    for (int pixels = largest; pixels >= smallest; --pixels) {
        fitted.font = atSize(font, pixels);
        const QFontMetrics metrics(fitted.font);
        fitted.rows.clear();
        bool all = true;
        for (std::size_t k = 0; k < rooms.size() && all; ++k) {
            const TextRoom& room = rooms[k];
            fitted.rows.push_back(wrapText(texts[k], metrics, room.size.width(), false));
            const int maxRows = room.wrapAtAnySize ? rowsThatFit(fitted.font, room.size.height()) : 1;
            all = fits(fitted.rows.back(), metrics, room.size.width(), maxRows);
        }
        if (all) return fitted;
    }
    // The last resort, at the smallest size: as many rows as each room holds, then an ellipsis.
    fitted.font = atSize(font, smallest);
    const QFontMetrics metrics(fitted.font);
    fitted.rows.clear();
    for (std::size_t k = 0; k < rooms.size(); ++k) {
        const int width = rooms[k].size.width();
        const int maxRows = rowsThatFit(fitted.font, rooms[k].size.height());
        QStringList rows = wrapText(texts[k], metrics, width, true);
        if (rows.size() > maxRows) {
            const QString rest = rows.mid(maxRows - 1).join(QLatin1Char(' '));
            rows = rows.mid(0, maxRows - 1);
            rows << metrics.elidedText(rest, Qt::ElideRight, width);
        }
        fitted.rows.push_back(rows);
    }
    return fitted;
}

}  // namespace lumaro

#include "ui/HintPlate.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <optional>

#include "ui/TextFit.h"

namespace lumaro {
namespace {

constexpr int kMargin = 10;      // inside the plate's frame, left and right
constexpr int kTop = 6;
constexpr int kBottom = 6;
constexpr int kGap = 4;          // between the title, the rows and the footer
constexpr int kColumnGap = 12;   // between a label and the figures, and between two figures
constexpr int kLargest = 13;
constexpr int kSmallest = 8;
// A board drawn smaller in a window renders its type a trifle wider than the metrics say: a few
// pixels stay free at the right of every line.
constexpr int kSlack = 4;

struct Way {
    int pixels;
    bool wrap;        // rows may break at spaces
    bool breakWords;  // ...and inside a word; texts that still do not fit are cut short
};

PlateLine::Role roleOf(PlateRow::Look look) {
    switch (look) {
        case PlateRow::Look::Strong: return PlateLine::Role::Strong;
        case PlateRow::Look::Heading: return PlateLine::Role::Heading;
        case PlateRow::Look::Plain: break;
    }
    return PlateLine::Role::Plain;
}

// The layout one way, or nothing when a text does not fit that way.
std::optional<PlateLayout> layOut(const PlateContent& content, const QFont& base, int width, int maxHeight, const Way& way) {
    PlateLayout layout;
    layout.font = base;
    layout.font.setPixelSize(way.pixels);
    layout.font.setBold(false);
    layout.titleFont = layout.font;
    layout.titleFont.setBold(true);
    const QFontMetrics metrics(layout.font);
    const QFontMetrics titleMetrics(layout.titleFont);
    const int inner = width - 2 * kMargin;
    const int usable = inner - kSlack;
    const int rowHeight = metrics.lineSpacing() + 2;

    // The figures' columns, each as wide as its widest figure, the last at the right edge.
    std::vector<int> columns;
    for (const PlateRow& row : content.rows) {
        if (columns.size() < static_cast<std::size_t>(row.figures.size())) columns.resize(static_cast<std::size_t>(row.figures.size()), 0);
        for (qsizetype c = 0; c < row.figures.size(); ++c)
            columns[static_cast<std::size_t>(c)] = std::max(columns[static_cast<std::size_t>(c)], metrics.horizontalAdvance(row.figures[c]));
    }
    int figuresWidth = 0;
    for (int w : columns) figuresWidth += w + kColumnGap;
    if (figuresWidth > usable) return std::nullopt;
    std::vector<int> columnRight(columns.size());
    int right = kMargin + usable;
    for (std::size_t c = columns.size(); c-- > 0;) {
        columnRight[c] = right;
        right -= columns[c] + kColumnGap;
    }

    int y = kTop;
    bool whole = true;
    // `text` from `y` on in rows `room` wide; false when it does not fit this way.
    auto place = [&](const QString& text, const QFontMetrics& m, int room, int height, PlateLine::Role role) {
        QStringList rows;
        if (way.wrap) {
            rows = wrapText(text.simplified(), m, room, way.breakWords);
        } else {
            rows << text.simplified();
        }
        for (QString& row : rows) {
            if (m.horizontalAdvance(row) > room) {
                if (!way.breakWords) return false;
                row = m.elidedText(row, Qt::ElideRight, room);
                whole = false;
            }
            layout.lines.push_back({row, QRect(kMargin, y, room, height), Qt::AlignLeft | Qt::AlignVCenter, role});
            y += height;
        }
        if (rows.isEmpty()) y += height / 2;  // an empty row: a little air
        return true;
    };

    if (!place(content.title, titleMetrics, usable, titleMetrics.lineSpacing() + 3, PlateLine::Role::Title)) return std::nullopt;
    y += kGap;
    for (const PlateRow& row : content.rows) {
        const int top = y;
        const PlateLine::Role role = roleOf(row.look);
        const int room = row.figures.isEmpty() ? usable : usable - figuresWidth;
        if (!place(row.label, metrics, room, rowHeight, role)) return std::nullopt;
        for (qsizetype c = 0; c < row.figures.size(); ++c) {
            const int w = columns[static_cast<std::size_t>(c)];
            layout.lines.push_back({row.figures[c], QRect(columnRight[static_cast<std::size_t>(c)] - w, top, w, rowHeight),
                                    Qt::AlignRight | Qt::AlignVCenter, role});
        }
        y = std::max(y, top + (row.figures.isEmpty() ? 0 : rowHeight));
    }
    if (!content.footer.isEmpty()) {
        y += kGap;
        if (!place(content.footer, metrics, usable, rowHeight, PlateLine::Role::Footer)) return std::nullopt;
    }
    y += kBottom;
    if (y > maxHeight) {
        if (!way.breakWords) return std::nullopt;
        // The last resort: the lines that do not fit below are left out.
        std::erase_if(layout.lines, [&](const PlateLine& line) { return line.box.bottom() >= maxHeight - kBottom; });
        whole = false;
        y = maxHeight;
    }
    layout.height = y;
    layout.whole = whole;
    return layout;
}

}  // namespace

PlateLayout layOutPlate(const PlateContent& content, const QFont& base, int width, int maxHeight) {
    // The largest size that holds every text, on one row each or else in rows broken at spaces
    // (the plate is read in a small window too); then, at the smallest size, words broken and
    // texts cut short.
    std::vector<Way> ways;
    for (int px = kLargest; px >= kSmallest; --px) {
        ways.push_back({px, false, false});
        ways.push_back({px, true, false});
    }
    ways.push_back({kSmallest, true, true});
    for (const Way& way : ways)
        if (std::optional<PlateLayout> layout = layOut(content, base, width, maxHeight, way)) return *layout;
    return {};
}

HintPlate::HintPlate(QWidget* board) : QWidget(board) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(kArea);
    hide();
}

void HintPlate::show(PlateContent content) {
    layout_ = layOutPlate(content, font(), kArea.width(), kArea.height());
    // As tall as its lines: the less of the board it covers, the better.
    setGeometry(kArea.x(), kArea.y(), kArea.width(), std::max(layout_.height, 24));
    update();
    QWidget::show();
    raise();
}

void HintPlate::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(214, 178, 96), 2));
    p.setBrush(QColor(14, 32, 26, 225));
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
    for (const PlateLine& line : layout_.lines) {
        QColor colour(214, 214, 200);
        switch (line.role) {
            case PlateLine::Role::Title: colour = QColor(236, 206, 128); break;
            case PlateLine::Role::Heading: colour = QColor(170, 190, 170); break;
            case PlateLine::Role::Strong: colour = QColor(255, 246, 214); break;
            case PlateLine::Role::Footer: colour = QColor(170, 170, 150); break;
            case PlateLine::Role::Plain: break;
        }
        p.setFont(line.role == PlateLine::Role::Title ? layout_.titleFont : layout_.font);
        p.setPen(colour);
        p.drawText(line.box, static_cast<int>(line.alignment), line.text);
    }
}

}  // namespace lumaro

#pragma once
// A plate over the upper left quarter of the board for the study aids: the hint's plays or cube
// advice, or one decision of a review. Clicks go through it to the board. Its texts are laid out
// to show whole: a smaller type first, then rows broken at spaces.
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace lumaro {

struct PlateRow {
    enum class Look { Plain, Strong, Heading };
    QString label;        // left aligned
    QStringList figures;  // right aligned, one column each: the same column in every row
    Look look = Look::Plain;
};

struct PlateContent {
    QString title;
    std::vector<PlateRow> rows;
    QString footer;
};

// One drawn line of the plate.
struct PlateLine {
    enum class Role { Title, Heading, Strong, Plain, Footer };
    QString text;
    QRect box;  // in the plate's pixels
    Qt::Alignment alignment = Qt::AlignLeft;
    Role role = Role::Plain;
};

struct PlateLayout {
    QFont font;       // the rows' type; the title is the same size, bold
    QFont titleFont;
    int height = 0;   // what the plate needs, at most the room given
    bool whole = true;  // false when a text had to be cut short (no size and no breaking made room)
    std::vector<PlateLine> lines;
};

// `content` laid out in a plate `width` pixels wide and at most `maxHeight` high, at the largest
// type size from 13 pixels down at which every text shows whole.
PlateLayout layOutPlate(const PlateContent& content, const QFont& base, int width, int maxHeight);

class HintPlate : public QWidget {
public:
    // Where the plate may stand on the 800 x 600 board: the upper left quarter, below the point
    // numbers and their bar dots, left of the bar (the cube and White's checkers on the bar) and
    // above the message box, whose title must stay readable while the plate advises on it.
    static constexpr QRect kArea{55, 38, 312, 166};

    explicit HintPlate(QWidget* board);

    void show(PlateContent content);
    const PlateLayout& layout() const { return layout_; }
    // How many plays a hint lists.
    static constexpr int kPlays = 5;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PlateLayout layout_;
};

}  // namespace lumaro

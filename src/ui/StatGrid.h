#pragma once
// The statistics grid: 13 rows of 5 columns, each column 131 pixels wide. The first row holds the
// headings (the row label's column, then WHITE, BLACK, WHITE-, BLACK-), the next ten the values,
// the last two stay empty; odd rows have a light background.
#include <QString>
#include <QWidget>
#include <array>

#include "game/PositionStats.h"

namespace lumaro {

class StatGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 13;
    static constexpr int kColumns = 5;
    static constexpr int kColumnWidth = 131;
    static constexpr int kRowHeight = 20;

    explicit StatGrid(QWidget* parent = nullptr);

    // The ten value rows under the headings.
    void setValues(const std::array<StatRow, 10>& rows);
    // The text of a cell; row 0 holds the headings.
    QString cell(int row, int column) const;
    // The font of the row labels.
    static QFont labelFont();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::array<std::array<QString, kColumns>, kRows> cells_{};
};

}  // namespace lumaro

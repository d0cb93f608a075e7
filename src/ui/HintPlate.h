#pragma once
// A plate over the upper left quarter of the board for the study aids: the hint's plays or cube
// advice, or one decision of a review. Clicks go through it to the board.
#include <QString>
#include <QWidget>
#include <vector>

namespace lumaro {

struct PlateRow {
    QString left;
    QString right;
    bool strong = false;  // drawn brighter: the first play, what was played
};

class HintPlate : public QWidget {
public:
    explicit HintPlate(QWidget* board);

    void show(const QString& title, std::vector<PlateRow> rows, const QString& footer);
    // How many rows fit.
    static constexpr int kRows = 6;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    std::vector<PlateRow> rows_;
    QString footer_;
};

}  // namespace lumaro

#pragma once
// STAT: the position's statistics beside their values one recomputation earlier, the roll
// statistics of both colours, and the graph of both pip counts over the game. The window reads
// everything from the game each time it is shown.
#include "game/Game.h"
#include "ui/StatGrid.h"
#include "ui/ToolWindow.h"

namespace lumaro {

class StatisticsWindow : public ToolWindow {
    Q_OBJECT
public:
    static constexpr int kGridLeft = (ToolWindow::kWidth - StatGrid::kColumns * StatGrid::kColumnWidth) / 2;
    static constexpr int kGridTop = ToolWindow::kHeaderHeight + 16;
    static constexpr int kGraphLeft = (ToolWindow::kWidth - PipGraph::kWidth) / 2;
    static constexpr int kGraphTop = kGridTop + StatGrid::kRows * StatGrid::kRowHeight + 20;

    StatisticsWindow(const Game& game, const Assets& assets);

    // Fills the grid and draws the graph from the game's current statistics.
    void refresh();
    const StatGrid& grid() const { return *grid_; }
    const QImage& graphPicture() const { return graph_; }

protected:
    void showEvent(QShowEvent*) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const Game& game_;
    StatGrid* grid_;
    QImage graph_;
};

}  // namespace lumaro

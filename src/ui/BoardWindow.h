#pragma once
// The board window: draws the board and the checker images where the board model puts them.
#include <QWidget>
#include <array>

#include "board/BoardView.h"

namespace lumaro {

class BoardWindow : public QWidget, public BoardView {
    Q_OBJECT
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    static constexpr int kCheckerSize = 51;

    explicit BoardWindow(QWidget* parent = nullptr);

    void setPointLabels(const std::array<unsigned char, 25>& screenToPoint);

    void checkerAppeared(int colour, int image, int s, int x, int y, bool animated) override;
    void checkerFaded(int colour, int image, int s, bool animated) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct CheckerImage {
        bool visible = false;
        int x = 0;
        int y = 0;
        int z = 0;  // later arrivals stand in front
    };
    void paintBoard(class QPainter& painter) const;
    void paintChecker(QPainter& painter, int colour, const CheckerImage& image) const;

    std::array<std::array<CheckerImage, 16>, 2> images_{};  // [colour][image 1..15]
    std::array<int, 25> labels_{};                           // number shown beside each screen position
    int nextZ_ = 0;
};

}  // namespace lumaro

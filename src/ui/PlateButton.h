#pragma once
// The buttons of the tool windows: a rounded steel plate with a thin gold rim and dark blue text,
// warm gold under the mouse, deep blue with white text while pressed or while it stands for the
// page on show. The same colours as the menu panel's items, so the windows and the panel read as
// one set.
#include <QAbstractButton>

namespace lumaro {

class PlateButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PlateButton(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // The colours, shared with whatever else the tool windows draw.
    static QColor textColour() { return QColor(10, 37, 54); }
    static QColor rimColour() { return QColor(196, 150, 70); }

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    bool hovered_ = false;
};

}  // namespace lumaro

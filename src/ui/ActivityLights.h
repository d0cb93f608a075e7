#pragma once
// The two activity lights at the right edge of the board while a connection is up: the upper one
// lights when something was sent during the last second, the lower one when something came.
#include <QLabel>
#include <QObject>
#include <QPixmap>

namespace lumaro {

class ActivityLights : public QObject {
    Q_OBJECT
public:
    // The pictures light-rest.png and light-active.png come from the assets folder.
    ActivityLights(QWidget* board, const QString& assetsFolder);

    void setConnected(bool connected);
    void show(bool sending, bool receiving);
    bool sendingLit() const { return sendingLit_; }
    bool receivingLit() const { return receivingLit_; }
    bool visible() const { return sending_->isVisible(); }

private:
    QLabel* sending_;
    QLabel* receiving_;
    QPixmap rest_, active_;
    bool sendingLit_ = false, receivingLit_ = false;
};

}  // namespace lumaro

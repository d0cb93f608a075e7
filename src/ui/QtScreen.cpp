#include "ui/QtScreen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

namespace lumaro {

Answer QtScreen::mesaj(const Message& message) {
    QString text = QString::fromStdString(message.line1);
    if (!message.line2.empty()) text += QLatin1Char('\n') + QString::fromStdString(message.line2);
    if (!message.table.empty()) {
        text += QStringLiteral("\n\n\tWHITE\tBLACK");
        for (const ScoreRow& row : message.table)
            text += QStringLiteral("\n%1\t%2\t%3")
                        .arg(QString::fromStdString(row.label), QString::fromStdString(row.white),
                             QString::fromStdString(row.black));
    }
    QMessageBox box(window_);
    box.setWindowTitle(QStringLiteral("Lumaro 2"));
    box.setText(text);
    if (message.yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::No ? Answer::No : Answer::Yes;
    }
    box.exec();
    return Answer::Yes;
}

void QtScreen::delay(int ms) {
    if (ms <= 0) {
        letEventsRun();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void QtScreen::letEventsRun() { QCoreApplication::processEvents(); }

}  // namespace lumaro

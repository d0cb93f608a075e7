#pragma once
// One running game per player's files: the first copy started for a settings folder listens on a
// local socket named after that folder; a later copy finds it there, asks it to come to the front
// and leaves. Copies with other folders (a network test's two players) do not meet.
#include <QLocalServer>
#include <QObject>
#include <QString>

namespace lumaro {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& settingsFolder);

    // True for the first copy, which now listens (or could not, and runs all the same); false when
    // another copy runs for these files (it has been asked to come to the front).
    bool claim();
    const QString& name() const { return name_; }

signals:
    void anotherCopyStarted();

private:
    QString name_;
    QLocalServer server_;
};

}  // namespace lumaro

#pragma once
// One running game per player's files: the first copy started for a settings folder listens on a
// local socket named after that folder, in the user's own runtime folder (no other user may enter
// it); a later copy finds it there, asks it to come to the front (and to open the saved game the
// later copy was started with) and leaves once it has answered as the game answers. Copies with
// other folders (a network test's two players) do not meet.
#include <QLocalServer>
#include <QObject>
#include <QString>

namespace lumaro {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `runtimeFolder`: where the socket goes; the user's runtime folder unless a test gives another.
    // A folder that is not the user's own with mode 0700 is not used: the game then runs alone.
    explicit SingleInstance(const QString& settingsFolder, const QString& runtimeFolder = userRuntimeFolder());

    // True for the first copy, which now listens (or could not, and runs all the same); false only
    // when another copy of the game runs for these files and has been asked to come to the front,
    // and to open `savedGame` when one is given (its absolute path: the other copy's working
    // folder is not this one's). Whatever else holds the socket never keeps the game from starting.
    bool claim(const QString& savedGame = {});
    // The socket's path; empty when there is no private folder for it.
    const QString& name() const { return name_; }

    static QString userRuntimeFolder();
    // The longest a later copy waits for the first one's answer.
    static constexpr int kAnswerWaitMs = 3000;
    // The longest request a running copy reads: room for any path the system can open, encoded.
    static constexpr int kLongestRequest = 8192;

signals:
    // `savedGame`: the saved game the later copy was started with; empty when none.
    void anotherCopyStarted(const QString& savedGame);

private:
    void answer(class QLocalSocket* socket);

    QString name_;
    QLocalServer server_;
};

}  // namespace lumaro

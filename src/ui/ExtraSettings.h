#pragma once
// Options of the window that lm2.ini does not hold, so that its layout stays as it is: kept in a
// small settings file of their own in the user's configuration folder.
#include <QByteArray>

namespace lumaro {

struct ExtraSettings {
    bool showLastMove = true;     // mark where the opponent's checkers went (the L key)
    bool keepGameAtExit = false;  // EXIT keeps an unfinished game for the next start
    bool questionsWait = false;   // a question waits for its answer instead of saying YES by itself
    bool playInWindow = false;    // the board in an ordinary window instead of over the whole screen
    bool master = false;          // the Master plays (lm2.ini holds level 3 meanwhile)
    QByteArray windowGeometry;    // where that window was and its size, as Qt saves it

    static ExtraSettings load();
    void save() const;
};

}  // namespace lumaro

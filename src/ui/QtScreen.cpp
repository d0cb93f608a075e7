#include "ui/QtScreen.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <atomic>
#include <thread>

#include "ui/BoardFrame.h"
#include "ui/BoardWindow.h"
#include "ui/ProgramFolders.h"
#include "ui/SoundBank.h"

namespace lumaro {

Answer QtScreen::showMessage(const Message& message) {
    MessagePanel& panel = board_.messagePanel();
    // The board clock advances the countdown; an unanswered question counts as YES, unless the
    // player wants questions to wait for the answer.
    const bool waits = message.yesNo && (questionsWait || message.waitsForAnswer);
    const int timeout = waits ? 0 : message.timeout > 0 ? message.timeout : MessagePanel::kCountdownEnd;
    panel.present(message, board_.boardPicture(), timeout);
    board_.letEventsRun();
    while (panel.waiting() && !panel.timedOut() && !closing_) board_.delay(20);
    const Answer answer = panel.answeredYes() ? Answer::Yes : Answer::No;
    panel.close();
    board_.messageClosed();
    board_.boxClosed();
    board_.letEventsRun();
    if (onMessageClosed) onMessageClosed();
    return answer;
}

void QtScreen::delay(int ms) { board_.delay(ms); }
void QtScreen::play(Sound sound) { sounds_.play(sound); }
void QtScreen::letEventsRun() { board_.letEventsRun(); }

void QtScreen::runLive(const std::function<void()>& job) {
    std::atomic<bool> done = false;
    std::thread worker([&job, &done] {
        job();
        done = true;
    });
    // Short waits keep the clock, the menu and the cursor going. Once the program is told to quit
    // the waits return at once; the job is still waited for, since it writes into the caller's
    // values.
    while (!done) board_.delay(kLiveWaitMs);
    worker.join();
}
void QtScreen::showDice(Side side, int dieA, int dieB) { board_.showDice(side, dieA, dieB); }
void QtScreen::clearDice() { board_.clearDice(); }
void QtScreen::showOpeningDice(int blackDie, int whiteDie) { board_.showOpeningDice(blackDie, whiteDie); }
void QtScreen::gameStarted() { board_.gameStarted(); }
void QtScreen::drawCube(const Cube&) { board_.drawCube(); }
void QtScreen::dieUsed(int die) { board_.dieUsed(die); }
void QtScreen::checkerLeft(Side side, int point, bool withEffects) { board_.scene().checkerLeft(side, point, withEffects); }
void QtScreen::checkerArrived(Side side, int point, bool withEffects) { board_.scene().checkerArrived(side, point, withEffects); }
void QtScreen::boardCleared() { board_.scene().clear(); }
void QtScreen::positionLaidOut(const Position& pos) { board_.scene().restoreTo(pos); }
void QtScreen::sideChanged(bool homeBoardsRight) { board_.scene().setHomeRight(homeBoardsRight); }
void QtScreen::checkerLookChanged() { board_.scene().redraw(); }
void QtScreen::refreshBarDots() { board_.refreshBarDots(); }
void QtScreen::setWaitCursor(bool waiting) { board_.setWaitCursor(waiting); }
void QtScreen::countersChanged() { board_.update(); }
void QtScreen::lastMoveChanged() { board_.update(); }

void QtScreen::recordChanged() {
    if (onRecordChanged) onRecordChanged();
}

void QtScreen::displayOptionsChanged() {
    board_.applyDisplayOptions();
    if (onDisplayOptionsChanged) onDisplayOptionsChanged();
}

}  // namespace lumaro

namespace lumaro {
namespace {

// Names the saved games in the dialog's Type column as ours even before the desktop knows their type
// (installed with the package): until then the desktop takes *.sav for another program's files.
class SavedGameTypes : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        if (info.isFile() && info.suffix().compare(QLatin1String("sav"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("Lumaro 2 saved game");
        return QFileIconProvider::type(info);
    }
};

// Qt's own dialog (not the desktop's), so it looks and behaves the same everywhere, Xvfb included.
std::optional<std::string> runFileDialog(QWidget& board, const QString& folder, bool save) {
    SavedGameTypes types;
    QWidget& shown = windowShowing(board);
    QFileDialog dialog(&shown, save ? QStringLiteral("Save the game") : QStringLiteral("Load a game"), folder,
                       QStringLiteral("Lumaro 2 saved games (*.sav)"));
    dialog.setIconProvider(&types);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, boardOverEverything(board));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("sav"));
    if (save) dialog.selectFile(QStringLiteral("game"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return nativePath(dialog.selectedFiles().first());
}

}  // namespace

std::optional<std::string> QtScreen::chooseFileToSave() { return runFileDialog(board_, savedGamesFolder, true); }
std::optional<std::string> QtScreen::chooseFileToLoad() { return runFileDialog(board_, savedGamesFolder, false); }

void QtScreen::saveSettings() {
    if (onSaveSettings) onSaveSettings();
}

}  // namespace lumaro

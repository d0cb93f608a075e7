// SAVE and LOAD: a game kept in a file of the player's choice and taken up again.
#include "game/Game.h"

namespace lumaro {

bool Game::peerOnTurn() const { return networkPlace() && connected_ && gameOn_ && turn_ == Side::Black; }

bool Game::commandSave(const ShellState& shell) {
    if (menuRefused(shell, true) || !gameOn_ || !files_) return false;
    busy_ = true;  // the dialog waits while the board stands still
    const std::optional<std::string> path = screen_->chooseFileToSave();
    busy_ = false;
    if (!path) return true;
    std::string whyNot;
    if (!files_->write(*path, savedGame(), whyNot))
        showMessage(MessageKind::RuleNotice, "The game could not be saved.", whyNot, false);
    return true;
}

bool Game::commandLoad(const ShellState& shell) {
    if (menuRefused(shell, false) || networkPlace() || !files_) return false;
    // The question comes first, but the running game is given up only for a file that holds a
    // game: a refused file leaves the game, the scores and the match as they were.
    const bool resigning = gameOn_;
    if (resigning && !askToResign()) return false;
    busy_ = true;
    const std::optional<std::string> path = screen_->chooseFileToLoad();
    busy_ = false;
    if (!path) {
        if (resigning) resignNow();  // the player said YES: a cancelled dialog does not take it back
        return true;
    }
    const SavedGameResult loaded = files_->read(*path);
    if (!loaded.ok) {
        showMessage(MessageKind::RuleNotice, "The game could not be loaded.", loaded.error, false);
        return true;
    }
    if (resigning) resignNow();
    restoreSavedGame(loaded.game);
    screen_->saveSettings();  // the loaded game's cube option persists
    if (gameOn_ && turn_ == Side::Black) blackPlayer().blackPlaysRolledDice(*this);
    return true;
}

}  // namespace lumaro

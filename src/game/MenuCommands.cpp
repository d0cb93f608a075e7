// The commands of the menu panel, with the guards that keep each of them out at the wrong moment.
#include "game/MenuCommands.h"

#include "game/GameIdsOfGame.h"

#include <optional>

namespace lumaro {

bool MenuCommands::start(const ShellState& shell) {
    Game& g = game_;
    if (g.menuRefused(shell, true)) return false;
    if (g.connected() && g.hostSide()) return false;  // the caller starts the games of a connection
    if (g.state().gameOn() && !g.resign()) return false;
    g.blackPlayer().startGame(g);
    return true;
}

bool MenuCommands::back(const ShellState& shell) {
    Game& g = game_;
    if (g.menuRefused(shell, true) || !g.state().gameOn()) return false;
    if (g.state().sideToMove() == Side::Black && !g.blackPlayer().playsAtThisBoard()) return false;
    g.undoTurn();
    return true;
}

bool MenuCommands::move(const ShellState& shell) {
    Game& g = game_;
    if (g.menuRefused(shell, false) || !g.state().gameOn()) return false;
    // The computer's search plays White's roll against the computer, and in a network game for a
    // player who asks for it (the steps travel to the peer like clicked ones).
    if (!g.blackPlayer().allowsMoveCommand(g) || g.state().sideToMove() == Side::Black) return false;
    g.playWhiteByComputer();
    return true;
}

bool MenuCommands::abort(const ShellState& shell) {
    Game& g = game_;
    if (g.menuRefused(shell, false) || !g.state().gameOn()) return false;
    return g.resign();
}

bool MenuCommands::side(const ShellState& shell) {
    Game& g = game_;
    if (g.menuRefused(shell, true) || !g.state().gameOn()) return false;
    {
        const Game::InputHold hold(g);
        g.changeOptions([](Options& o) { o.homeRight = !o.homeRight; });
        g.screen().sideChanged(g.options().homeRight);
        g.updateCounters();
    }
    g.screen().refreshBarDots();
    return true;
}

bool MenuCommands::color(const ShellState& shell) {
    Game& g = game_;
    if (g.menuRefused(shell, true)) return false;
    const Options before = g.options();
    g.changeOptions([](Options& o) { o.checkerColours = static_cast<Byte>(o.checkerColours % 3 + 1); });
    g.optionsChanged(before);
    return true;
}

bool MenuCommands::score(const ShellState& shell) {
    Game& g = game_;
    if (g.menuRefused(shell, true)) return false;
    g.showMessage(scoreMessage(g.options(), g.state().scores()));
    return true;
}

bool MenuCommands::exit(const ShellState& shell) {
    Game& g = game_;
    if (g.menuRefused(shell, false)) return false;
    if (g.state().gameOn()) {
        if (KeptGameStore* store = g.keptGameStore(); store && !g.networkPlace()) {
            KeptGame kept;
            kept.game = g.savedGame();
            kept.crawfordGame = g.isCrawfordGame();
            std::string whyNot;
            if (store->keep(kept, whyNot)) return true;
            g.showMessage(MessageKind::RuleNotice, "The game could not be kept.", whyNot, false);
        }
        if (g.peerOnTurn()) {
            // The peer is on turn: the game can only be left, lost, without telling the peer.
            if (!g.showMessage(MessageKind::Resign, "Resign and force exit", "from this network game?", true)) return false;
            g.sideResigns(Side::White);
        } else if (!g.resign()) {
            return false;
        }
    }
    if (g.connected() && !g.showMessage(MessageKind::Resign, "Disconnect and exit?", "", true)) return false;
    return true;
}

bool MenuCommands::save(const ShellState& shell) {
    Game& g = game_;
    SavedGameFiles* files = g.savedGameFiles();
    if (g.menuRefused(shell, true) || !g.state().gameOn() || !files) return false;
    std::optional<Game::InputHold> hold(std::in_place, g);  // the dialog waits while the board stands still
    const std::optional<std::string> path = g.screen().chooseFileToSave();
    hold.reset();
    if (!path) return true;
    std::string whyNot;
    if (!files->write(*path, g.savedGame(), whyNot))
        g.showMessage(MessageKind::RuleNotice, "The game could not be saved.", whyNot, false);
    return true;
}

bool MenuCommands::load(const ShellState& shell) {
    Game& g = game_;
    SavedGameFiles* files = g.savedGameFiles();
    if (g.menuRefused(shell, false) || g.networkPlace() || !files) return false;
    // The question comes first, but the running game is given up only for a file that holds a
    // game: a refused file leaves the game, the scores and the match as they were.
    const bool resigning = g.state().gameOn();
    if (resigning && !g.askToResign()) return false;
    std::optional<Game::InputHold> hold(std::in_place, g);
    const std::optional<std::string> path = g.screen().chooseFileToLoad();
    hold.reset();
    if (!path) {
        if (resigning) g.resignNow();  // the player said YES: a cancelled dialog does not take it back
        return true;
    }
    const SavedGameResult loaded = files->read(*path);
    if (!loaded.ok) {
        g.showMessage(MessageKind::RuleNotice, "The game could not be loaded.", loaded.error, false);
        return true;
    }
    playOn(loaded.game, resigning);
    return true;
}

MenuCommands::Opening MenuCommands::open(const ShellState& shell, const std::string& path) {
    Game& g = game_;
    SavedGameFiles* files = g.savedGameFiles();
    if (g.networkPlace() || !files) return Opening::never;
    if (g.menuRefused(shell, false)) return Opening::later;
    const SavedGameResult loaded = files->read(path);
    if (!loaded.ok) {
        g.showMessage(MessageKind::RuleNotice, "The game could not be loaded.", loaded.error, false);
        return Opening::done;
    }
    const bool resigning = g.state().gameOn();
    if (resigning && !g.askToResign()) return Opening::done;
    playOn(loaded.game, resigning);
    return Opening::done;
}

void MenuCommands::playOn(const SavedGame& game, bool resigning, bool crawfordGame) {
    Game& g = game_;
    if (resigning) g.resignNow();
    g.restoreSavedGame(game);
    // The board the game is on is its match's Crawford game again, before anyone may double.
    // (The mark names the board that ended one point short of the match: the one before.)
    if (crawfordGame) {
        const Byte board = g.state().gameNumber();
        g.arrangeMatchBoards(board, board == 1 ? 255 : static_cast<Byte>(board - 1));
    }
    g.screen().saveSettings();  // the game's cube option persists
    if (!g.state().gameOn()) return;
    const bool rolled = game.dieA != 0 && game.dieB != 0;
    const Side onRoll = g.state().sideToMove();
    if (rolled) {
        if (onRoll == Side::Black) g.blackPlayer().blackPlaysRolledDice(g);
    } else if (onRoll == Side::White || g.blackPlayer().playsAtThisBoard()) {
        // A person's roll waits for the click, as after any turn: the cube and the hint first.
        g.awaitRoll(onRoll);
    } else {
        g.blackPlayer().blackTurn(g);  // the computer may double, then rolls
    }
}

void MenuCommands::continueKeptGame(const KeptGame& kept) { playOn(kept.game, false, kept.crawfordGame); }

std::string MenuCommands::copyIds() const {
    const GameIds ids = idsOfGame(game_);
    return "Position ID: " + ids.positionId + "\nMatch ID: " + ids.matchId;
}

namespace {

std::string matchScoreWords(const MatchState& match) {
    return "White " + std::to_string(match.score[Side::White]) + ", Black " + std::to_string(match.score[Side::Black]) +
           (match.crawford ? ", the Crawford game" : "");
}

}  // namespace

bool MenuCommands::paste(const ShellState& shell, const std::string& text) {
    Game& g = game_;
    if (g.menuRefused(shell, false) || g.networkPlace()) return false;
    const GameFromIds pasted = readPastedIds(text);
    std::optional<std::string> problem = pasted.ok ? pastedGameProblem(pasted) : pasted.error;
    if (problem) {
        g.showMessage(MessageKind::RuleNotice, "The pasted IDs hold no game to play on.", *problem, false);
        return true;
    }
    // The IDs of a match bring their match: its length, score and Crawford game, as a new match
    // when it is not the one in play. A match ID of a money game leaves a match for single games.
    const MatchState& match = pasted.state;
    const Options& options = g.options();
    const Scores& scores = g.state().scores();
    const bool intoMatch = match.matchLength > 0 &&
                           (!options.matchPlay || options.matchLength != match.matchLength ||
                            scores.whiteMatchScore != match.score[Side::White] || scores.blackMatchScore != match.score[Side::Black]);
    const bool outOfMatch = match.matchLength == 0 && pasted.matchIdGiven && options.matchPlay;
    if (intoMatch && !g.showMessage(MessageKind::NewGame, "Start a new " + std::to_string(match.matchLength) + "-point match?",
                                    matchScoreWords(match), true))
        return false;
    if (outOfMatch && !g.showMessage(MessageKind::NewGame, "Leave the match for single games?", "These IDs are of a money game.", true))
        return false;
    const bool resigning = g.state().gameOn();
    if (resigning && !g.askToResign()) return false;
    if (resigning) g.resignNow();  // booked in the match or session it was played in
    if (match.matchLength > 0) {
        g.takeUpMatch(match.matchLength, match.score[Side::White], match.score[Side::Black], match.crawford);
    } else if (outOfMatch) {
        g.changeOptions([](Options& o) { o.matchPlay = false; });
    }
    // A turned cube keeps its meaning: the cube comes into play with it.
    const bool cubeEnabled = g.options().cubeEnabled || match.cube.value() > 1;
    playOn(savedGameOfIds(pasted, cubeEnabled), false, match.matchLength > 0 && match.crawford);
    return true;
}

}  // namespace lumaro

#pragma once
// Who plays Black: the computer, a second person at this board, or the remote program of a network
// game. The turn cycle hands Black's turn and White's doubles to this player; it answers
// through the game's own steps (Black's roll and play, a double offered to White, a double taken or
// dropped), so the rules, the board and the scores are kept in one place whoever plays Black.
#include <memory>
#include <string>

#include "rules/Position.h"

namespace lumaro {

class Game;

class Player {
public:
    virtual ~Player() = default;

    // White has ended its turn and the turn is now Black's: Black may double, then rolls and plays.
    virtual void blackTurn(Game& game) = 0;
    // Black is on turn with its dice already rolled (a game it begins, a loaded game).
    virtual void blackPlaysRolledDice(Game& game) = 0;
    // `offerer` offers a double to the other side; the answer comes back through
    // Game::doubleTaken or Game::doubleDropped.
    virtual void doubleOffered(Game& game, Side offerer) = 0;

    // A second person at this board: Black's checkers answer clicks, Black may offer doubles by
    // the cube, and resigning gives up the game of the side on turn.
    virtual bool playsAtThisBoard() const { return false; }
    // MOVE: whether White may have the computer's search play its roll now (against the
    // computer, and in a network game while the peer does not play).
    virtual bool allowsMoveCommand(const Game& /*game*/) const { return false; }
    // How Black is named in the match files the analysers read.
    virtual std::string nameInRecords() const { return "Black"; }
    // START: a new game against this opponent (a network game begins with the invitation).
    virtual void startGame(Game& game) = 0;

    // A person at this board ends the turn on the board (a click, a key) or asks for White's roll.
    // At this machine the turn is handed over by the rules (Game::handOverTurn); the remote
    // program sends White's move over the connection or asks the peer for White's roll.
    virtual void turnEndAsked(Game& game);
    // The remote program of a network game hears of these first; the opponents at this machine
    // have nothing to do.
    // White resigns: the peer is told first. False when that failed and the game ended with the
    // connection instead.
    virtual bool whiteResigns(Game& /*game*/) { return true; }
    // White has borne off its last checker: the peer gets the move at once. False when that
    // failed and the game ended with the connection instead.
    virtual bool whiteBoreOffLast(Game& /*game*/) { return true; }
};

// The computer plays Black: it considers a double before its roll, answers White's doubles by its
// cube measure, and plays each roll by its search (the opening book on its first roll).
std::unique_ptr<Player> makeComputerPlayer();
// A second person plays Black with the same mouse at this board.
std::unique_ptr<Player> makePersonAtThisBoard();

}  // namespace lumaro

// The opponents that play Black at this machine: the computer and a second person.
#include "ai/CubeMeasure.h"
#include "game/Game.h"

namespace lumaro {

void Player::turnEndAsked(Game& game) { game.handOverTurn(); }

namespace {

class ComputerPlayer : public Player {
public:
    void blackTurn(Game& game) override {
        if (game.mayDouble(Side::Black)) game.computerOffersDouble();
        if (!game.state().gameOn()) return;  // White dropped the double
        game.rollForBlack();
        game.playComputerTurn();
    }
    void blackPlaysRolledDice(Game& game) override { game.playComputerTurn(); }
    void doubleOffered(Game& game, Side offerer) override {
        if (offerer == Side::White) game.computerAnswersDouble();
    }
    bool allowsMoveCommand(const Game&) const override { return true; }
    std::string nameInRecords() const override { return "Computer"; }
    void startGame(Game& game) override { game.startNewGame(); }
};

class PersonAtThisBoard : public Player {
public:
    void blackTurn(Game& game) override { game.rollForBlack(); }
    void blackPlaysRolledDice(Game&) override {}  // the person clicks
    void doubleOffered(Game& game, Side offerer) override {
        if (offerer == Side::Black) {
            if (game.blackDoubles("Black player wants to double.")) game.passTurn();
            return;
        }
        const bool taken = game.showMessage(MessageKind::Cube, "White player wants to double.", "Do you accept?", true);
        if (taken)
            game.doubleTaken(otherSide(offerer));
        else
            game.doubleDropped(otherSide(offerer));
    }
    bool playsAtThisBoard() const override { return true; }
    void startGame(Game& game) override { game.startNewGame(); }
};

}  // namespace

std::unique_ptr<Player> makeComputerPlayer() { return std::make_unique<ComputerPlayer>(); }
std::unique_ptr<Player> makePersonAtThisBoard() { return std::make_unique<PersonAtThisBoard>(); }

}  // namespace lumaro

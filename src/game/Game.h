#pragma once
// The game object: the one position with its snapshot, the dice, the cube, the scores, the options
// and the game flags. The parts of the program receive the game (or the pieces of it they need)
// instead of reaching for globals. It talks to the window only through Screen and BoardView.
#include <memory>

#include "ai/MoveSearch.h"
#include "board/Board.h"
#include "game/Dice.h"
#include "game/GameEnd.h"
#include "game/Options.h"
#include "game/PositionStats.h"
#include "game/RollStats.h"
#include "game/Scores.h"
#include "game/Screen.h"
#include "game/TurnSnapshot.h"
#include "persistence/SavedGame.h"

namespace lumaro {

class Game {
public:
    explicit Game(Screen& screen);
    ~Game();

    Board board;
    TurnSnapshot snapshot;
    Dice dice;
    Options options;
    Scores scores;
    PositionStats stats;
    RollStats whiteRollStats;
    RollStats blackRollStats;

    Byte turn = 1;  // 1 while White is to move
    bool gameOn = false;
    bool busy = false;
    Byte cubeValue = 1;  // 1 centred, else 2..64
    Byte cubeOwnerWhite = 0;
    bool gameEndedByCube = false;
    Byte resultPoints = 0;
    Byte gameNumber = 1;  // boards since start-up, 1..255 and back to 1
    Byte crawfordGameNumber = 0;
    bool blackBeginsNext = false;
    std::array<Byte, 9> moveRecord{};  // four (from, die) pairs of White's steps, bytes 1..8
    GameResult lastResult{};
    const NeuralNets* nets = nullptr;  // the expert level's networks; none scores 0
    SearchResult lastSearch{};         // what the computer's last search found

    Screen& screen() { return *screen_; }
    void setScreen(Screen& screen) { screen_ = &screen; }

    // The game-state part of start-up, with the random sources seeded from `seedMilliseconds`
    // (milliseconds since midnight, UTC). The options are expected to be read already.
    void startUp(std::uint32_t seedMilliseconds);

    // Dice of a local turn, automatic or manual by the options; shown at the roller's place.
    void afiszareu();
    void afiszartu();
    // A roll received from the peer of a network game: no random numbers are drawn.
    void afiszartucon(Byte a, Byte b);
    void takeSnapshot();

    void tablanoua();
    void refacfast();
    void calculpunctaj();
    void terminare();
    void stat();

    // Shows a message (a question when `yesNo`) and waits for it; true for YES. The board takes no
    // input meanwhile.
    bool mesaj(int kind, const std::string& line1, const std::string& line2, bool yesNo);
    bool mesaj(const Message& message);

    // The local player's turn: a click on a checker moves it by one die (left button: the higher
    // remaining die first, any other button the lower), a click on the bar enters.
    enum class Button { Left, Right };
    void whiteStepByClick(int s, Button button);
    void whiteEntryByClick(Button button);
    void blackStepByClick(int s, Button button);
    void blackEntryByClick(Button button);
    void adaugmoves(Byte from, Byte die);
    // End of the local turn: refuses while a die can still be played, undoes a short play, then
    // hands the turn over (the computer considers its double, rolls and plays).
    void pasi();
    // Hands the turn over without any check (after a cube exchange).
    void pasi2();
    // A new local game: the question, the board, who begins and the first roll.
    void afiszarstart();
    bool opponentIsComputer() const { return options.humanOpponent == 0; }
    bool opponentIsPersonHere() const { return options.humanOpponent != 0 && options.localPlay != 0; }

    // The menu commands. Each first checks its guards against the window's state and does nothing
    // when one holds; they return whether they acted.
    struct ShellState {
        bool hourglass = false;       // the computer or the network keeps the player waiting
        bool toolWindowOpen = false;  // the statistics, help or settings window is open
    };
    bool resign();  // "Do you want to resign?"; YES ends the game as lost by the side it costs
    bool commandStart(const ShellState& shell);
    bool commandBack(const ShellState& shell);
    bool commandMove(const ShellState& shell);
    bool commandAbort(const ShellState& shell);
    bool commandSide(const ShellState& shell);
    bool commandColor(const ShellState& shell);
    bool commandScore(const ShellState& shell);
    // EXIT's questions: true when the program may close (the caller saves the settings and says
    // farewell).
    bool commandExit(const ShellState& shell);

    // Single steps on the real board (the computer's, and White's with a given die for MOVE).
    void useDie(Byte die);
    void intrapc(Byte die);
    void mutascoatepc(int s, Byte die);
    void whiteEntryWithDie(Byte die);
    void whiteStepWithDie(int s, Byte die);

    // The computer plays Black's roll; MOVE plays White's roll the same way.
    void mutapc();
    void mutapceu();
    // What the computer would play for the side, without moving anything (the book included).
    SearchResult choosePlay(bool black);
    SearchRequest searchRequest(bool black) const;

    // A person offers a double (a click on the cube or the D key) for the player to roll next.
    void offerDouble();
    // The computer's answer to White's double.
    void raspuns_pc_la_dublaj();
    void afiscub() { drawCube(); }

    // Before its roll the computer may offer a double; a refusal marks the game as won by Black.
    void computerOffersDouble();
    bool computerTakesDouble() const;
    bool isCrawfordGame() const;

    // Saved games hold the turn-start snapshot, whose turn it is and the cube option.
    SavedGame savedGame() const;
    // Puts a loaded game on the board and books the loaded roll, as loading a game does.
    void restoreSavedGame(const SavedGame& saved);

private:
    void rollAt(bool white);
    void afterStep();
    void sendWhiteBlotToBar(int t);
    void sendBlackBlotToBar(int t);
    void executePlay(const Play& play, bool black);
    void playComputersChoice(bool black);
    Byte chooseDie(Button button, bool white, int s, bool entry) const;
    void stepByClick(bool white, int s, Button button);
    void entryByClick(bool white, Button button);
    void redrawDiceOfSideToMove();
    void drawCube();

    Screen* screen_;
    std::unique_ptr<MoveSearch> search_;
};

}  // namespace lumaro

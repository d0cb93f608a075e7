#pragma once
// The turn flow: who is on turn and what happens next. It drives the game's state (GameState: the
// position, dice, cube, scores, changed only by its rule-checked operations), hands Black's turns
// and White's doubles to the Player that plays Black, waits where a person must answer, and tells
// the window what happened through Screen, which the board follows.
#include <functional>
#include <memory>

#include "ai/CubeDecision.h"
#include "ai/MoveSearch.h"
#include "rules/Cube.h"
#include "rules/Position.h"
#include "rules/StepTests.h"
#include "game/Dice.h"
#include "game/GameEnd.h"
#include "game/GameState.h"
#include "game/KeptGame.h"
#include "game/MatchRecord.h"
#include "game/Player.h"
#include "game/Options.h"
#include "game/PositionStats.h"
#include "game/RollStats.h"
#include "game/SavedGame.h"
#include "game/Scores.h"
#include "game/Screen.h"
#include "game/TurnSnapshot.h"

namespace lumaro {

class Game {
public:
    explicit Game(Screen& screen);
    ~Game();

    // Where the opponent's checkers went in its last turn, step by step (logical points; 0 is the
    // bar, 25 borne off), kept until the local player rolls.
    struct MoveMark {
        int from = 0;
        int to = 0;
    };

    // --- The game in play, read by everyone; only its own operations change it ---
    const GameState& state() const { return state_; }
    // The generators and timer counters the dice are rolled from.
    const DiceRoller& roller() const { return roller_; }
    const PositionStats& stats() const { return stats_; }
    // Each side's rolls: how many, the doubles, the pip count after each.
    const RollStats& rollStats(Side side) const { return rollStats_[side]; }
    // What the pip, bar and borne-off labels show: written by updateCounters only, so a finished
    // game or a declined new one keeps showing the counts of the position on the board.
    const BoardCounters& counters() const { return counters_; }
    // A change is in progress (a move, a message box, a dialog): clicks, keys and menu items wait.
    bool busy() const { return busy_; }
    bool hourglass() const { return hourglass_; }  // the computer thinks long: clicks and menu items wait
    bool enteringDice() const { return enteringDice_; }  // a manual roll waits for its dice
    bool connected() const { return connected_; }  // a network connection is up
    bool hostSide() const { return hostSide_; }    // this program accepted the connection: the peer starts the games
    bool waitingForOpponent() const { return waitingForOpponent_; }  // the peer rolls or moves
    bool whiteAnswersDouble() const { return whiteAnswersDouble_; }  // Black's double waits for White's answer
    bool blackBeginsNext() const { return blackBeginsNext_; }
    // Four (from, die) pairs of White's steps, bytes 1..8, as the peer of a network game gets them.
    const std::array<Byte, 9>& moveRecord() const { return moveRecord_; }
    const std::array<MoveMark, 4>& lastMoveMarks() const { return lastMoveMarks_; }
    int lastMoveMarkCount() const { return lastMoveMarkCount_; }
    // Every game of this session of play, move by move, for the match files the analysers read.
    // A new match, or a change between matches and single games, starts a new record (and file).
    const MatchRecorder& recorder() const { return recorder_; }
    int recordSession() const { return recordSession_; }
    const NeuralNets* nets() const { return nets_; }  // the expert level's networks
    const SearchResult& lastSearch() const { return lastSearch_; }  // what the computer's last search found

    // --- Arranging a position to play on: LOAD does it from a file, the tests for their cases ---
    // `pos` at the start of a turn of `side` with the roll (a, b): the snapshot taken, the game on,
    // both sides `rolls` rolls into the game.
    void arrangeTurn(const Position& pos, Byte a, Byte b, Side side, int rolls);
    void arrangeCube(Byte value, Byte ownerWhite);
    void arrangeMatchBoards(Byte boardNumber, Byte crawfordBoardNumber);
    void arrangeRolls(int whiteRolls, int blackRolls);
    void arrangeRollStats(const RollStats& white, const RollStats& black) {
        rollStats_[Side::White] = white;
        rollStats_[Side::Black] = black;
    }
    void arrangeDicePlayed() { state_.arrangeDicePlayed(); }
    void arrangeGameOn(bool on) { state_.arrangeGameOn(on); }
    void arrangeSideOnTurn(Side side) { state_.turnTo(side); }
    void arrangeNextNetworkBeginner(bool black) { blackBeginsNext_ = !black; }
    // A key as a manual roll reads it (a digit 1..6 enters a die; the dice buttons type digits).
    void typeDiceKey(Byte key) { roller_.pendingKey = key; }

    // The options: read by everyone, changed only through changeOptions.
    const Options& options() const { return options_; }
    // The one way the options change: `change` edits them. What follows from a change (the board,
    // the listening rule) is the caller's to start, as the settings window does when it closes.
    void changeOptions(const std::function<void(Options&)>& change) { change(options_); }

    Screen& screen() { return *screen_; }
    void setScreen(Screen& screen) { screen_ = &screen; }
    // Where SAVE and LOAD read and write; without it they do nothing.
    void setSavedGameFiles(SavedGameFiles& files) { files_ = &files; }
    SavedGameFiles* savedGameFiles() const { return files_; }
    // Where EXIT keeps an unfinished game; without one (the player's option is off) EXIT asks to
    // resign as always.
    void setKeptGameStore(KeptGameStore* store) { keptGames_ = store; }
    KeptGameStore* keptGameStore() const { return keptGames_; }

    // Who plays Black, by the options: the computer, a second person at this board, or at Network
    // place the remote program once one is attached.
    Player& blackPlayer() const;
    void setRemote(Player* remote) { remote_ = remote; }
    // The level the computer plays at: the chosen one, except level 2 while the expert's
    // networks lack weights. The option stays as chosen, for when they are there again.
    Level playingLevel() const;
    // The Master thinks for the computer: chosen, playing against the computer, and its
    // networks at hand (without them the level plays, as the expert's rule says).
    bool masterThinks() const;

    // The game-state part of start-up, with the random sources seeded from `seedMilliseconds`
    // (milliseconds since midnight, UTC). The options are expected to be read already.
    void startUp(std::uint32_t seedMilliseconds);

    // Dice of a local turn, automatic or manual by the options; shown at the roller's place.
    void rollForWhite();
    void rollForBlack();
    // White's roll in a network game: always automatic.
    void rollForWhiteInNetworkGame();
    // A roll received from the peer of a network game: no random numbers are drawn.
    void takePeerRoll(Byte a, Byte b);

    void setUpNewBoard();
    // Puts `pos` on the board at once, as a fresh board holds it: every checker taken away first.
    void layOutPosition(const Position& pos);
    void undoTurn();
    void updateCounters();
    // Ends the game won by `winner`: scores it, books it, announces it. Nothing else reacts to
    // input until the result box has closed.
    void finishGame(Side winner, GameOver how);
    void resetStatistics();

    // The one way the game shows a message or asks a question: plays the question sound, keeps
    // every click, key and menu item out while the box is up (busy, restored afterwards) and
    // returns true for YES.
    bool showMessage(const Message& message);
    bool showMessage(MessageKind kind, const std::string& line1, const std::string& line2, bool yesNo);

    // What the board window hands over: clicks and keys. Each is ignored while the game is busy or
    // the hourglass shows. `point` is the logical point under the mouse (0: none); a click on a
    // checker names its point, 0 for the bar.
    enum class Button { Left, Right };
    void clickBoard(int point, Button button);
    void clickChecker(Side side, int point, Button button);
    void clickDice();  // a click on a die picture ends the turn, whatever lies under it
    void clickCube();
    // A typed character; `toolWindowOpen` keeps Backspace out while a window covers the board.
    // Returns the menu command the key asks for (M), if any.
    enum class KeyCommand { None, Move };
    KeyCommand keyPressed(char key, bool backspace, bool toolWindowOpen);

    // The person's steps by click (left button: the higher remaining die first, any other button
    // the lower); a click on the bar enters.
    void whiteStepByClick(int point, Button button);
    void whiteEntryByClick(Button button);
    void blackStepByClick(int point, Button button);
    void blackEntryByClick(Button button);
    void recordWhiteStep(Byte from, Byte die);
    // End of the local turn: refuses while a die can still be played, undoes a short play, then
    // hands the turn over to the opponent.
    void endTurn();
    // The turn handed over at this machine: a person's play checked first (playedWhatTheDiceDemand),
    // then Black's player or White's roll is on.
    void handOverTurn();
    // Hands the turn over without any check (after a cube exchange).
    void passTurn();
    // The check at the end of a turn of a person (here or White of a network game): true when
    // every die the rules demand has been played. Otherwise false, after the refusal sound and,
    // for a play that uses fewer dice than it must, the notice and the turn taken back.
    bool playedWhatTheDiceDemand();
    // A game begins on the board just laid out: it counts as on, enters the record, its clock runs.
    void beginGame();
    // A side gives up the game: booked in the record, won by the other side from the position.
    void sideResigns(Side resigner);

    // --- A network game, as the remote program drives it ---
    // The connection is up (`hostSide`: this program accepted it) or gone. Going, it stops a game
    // in progress where it stands, unscored, and returns whether it did.
    void connectionMade(bool thisSideHosts);
    bool connectionLost();
    // The game stops where it stands, unscored (a failed exchange); true when one was on.
    bool stopGameUnscored();
    // The caller alternates who begins the games of a connection: the side that begins the next.
    Side nextNetworkBeginner();
    // A network game's first moments: the statistics start afresh and `beginner` is on turn; then,
    // once the board is laid out, the game begins, the peer's turn awaited when it is Black's.
    void prepareNetworkGame(Side beginner);
    void startNetworkGame();
    // White's move went to the peer: the turn is the peer's, awaited.
    void whiteMoveSent();
    // The peer's move, already checked against the rules, replayed as Black's; then its turn is over.
    void playPeerMove(const Play& play);
    void endPeerTurn();
    // White's recorded steps were sent with the last checker borne off.
    void clearWhiteSteps() { moveRecord_.fill(0); }

    // --- What the window's timers and buttons hand the dice ---
    // The 107 ms clock and the 15 ms menu slide advance the counters the automatic dice mix in; a
    // slide starts its counter from zero.
    void clockTicked() { tick(roller_.clockTicks); }
    void slideStarted() { roller_.slideTicks = 0; }
    void slideTicked() { tick(roller_.slideTicks); }

    // The expert level's networks (the shell loads them).
    void setNets(const NeuralNets* expertNets) { nets_ = expertNets; }
    // The scores as the settings file kept them, and the settings window's two reset buttons (a new
    // match also forgets the Crawford game).
    void restoreScores(const Scores& kept) { state_.keepScores(kept); }
    void resetGameScores();
    void resetMatchScores();
    // Keeps every click, key and menu item out while a dialog stands over the board.
    class InputHold {
    public:
        explicit InputHold(Game& game) : game_(game), wasBusy_(game.busy_) { game.busy_ = true; }
        ~InputHold() { game_.busy_ = wasBusy_; }
        InputHold(const InputHold&) = delete;
        InputHold& operator=(const InputHold&) = delete;

    private:
        Game& game_;
        bool wasBusy_;
    };
    // A new local game: the question, the board, who begins and the first roll.
    void startNewGame();

    // What the window tells the menu's guards (see MenuCommands).
    struct ShellState {
        bool toolWindowOpen = false;  // the statistics, help or settings window is open
    };
    bool resign();  // "Do you want to resign?"; YES ends the game as lost by the side it costs
    // The two halves of resign(): the question (no while the peer of a network game is on turn),
    // and the game given up.
    bool askToResign();
    void resignNow();
    // What resigning now gives the other side, as the question names it: "Black wins: gammon,
    // cube x1, 2 p.", or "Black wins the MATCH: ..." when those points end the match.
    std::string resignationCost() const;
    // A network game in which the peer is on turn: most commands wait.
    bool peerOnTurn() const;
    // The guards every menu item shares: the hourglass, a change in progress, a window over the
    // board, and for most items the peer's turn of a network game.
    bool menuRefused(const ShellState& shell, bool whilePeerOnTurn) const {
        return hourglass_ || busy_ || shell.toolWindowOpen || (whilePeerOnTurn && peerOnTurn());
    }
    bool networkPlace() const { return options_.humanOpponent && !options_.localPlay; }

    // The options were changed (the settings window closed, COLOR): `before` is what they were.
    // A new skin or checker colour has every checker drawn again where it stands; then the screen
    // follows the display options.
    void optionsChanged(const Options& before);

    // One step of one checker of `side` on the real board, with its flight, hit and sound: from
    // logical point `from` (0: from the bar) with `die`. Returns the step result; 0 moves nothing
    // (and sounds the refusal). `record`: White's step goes into moveRecord.
    Byte playStep(Side side, int from, Byte die, bool placingSound, bool record);

    // The computer plays Black's roll; MOVE plays White's roll the same way.
    void playComputerTurn();
    void playWhiteByComputer();
    // The hint's play for White's roll, made from the turn's start as MOVE makes the computer's.
    void playWhitePlay(const Play& play);
    // What the computer would play for the side, without moving anything (the book included).
    SearchResult choosePlay(bool black);
    SearchRequest searchRequest(bool black) const;
    // Black's play made on the board step by step, with the pauses and sounds the player follows.
    void playBlackMove(const Play& play);

    // A person offers a double (a click on the cube or the D key) for the player to roll next.
    void offerDouble();
    // The computer's answer to White's double.
    void computerAnswersDouble();
    void drawCube();
    // The answer to a double: the taker holds the cube at twice its value and the turn passes;
    // a drop ends the game as a single game times the cube, won by the side that doubled.
    void doubleTaken(Side taker);
    // `side` may double: the cube is in play (the option) and the cube's own rule lets it.
    bool mayDouble(Side side) const;
    // A double taken: booked in the record, the cube doubled and given to the taker. The turn does
    // not move (doubleTaken passes it; a double before the doubler's roll keeps it).
    void takeDouble(Side taker);
    void doubleDropped(Side dropper);
    // Black offers White a double, with the question's first line: the one way White answers a
    // double, whoever makes it (the computer or the peer before its roll, a second person at this
    // board after White's turn), so that the hint gives its take or pass while the question is up.
    // `answered` hears the answer before it counts (the peer is told first). The turn does not
    // move. False when White dropped it, or when the game stopped while the question was up (then
    // nothing counts and `answered` is not called).
    bool blackDoubles(const std::string& line1, const std::function<void(bool taken)>& answered = {});
    // Before its roll the computer may offer a double.
    void computerOffersDouble();
    bool computerTakesDouble() const;
    bool isCrawfordGame() const;

    // Saved games hold the turn-start snapshot, whose turn it is and the cube option.
    SavedGame savedGame() const;
    // Puts a loaded game on the board and books the loaded roll, as loading a game does.
    void restoreSavedGame(const SavedGame& saved);
    // The game just put on the board waits for `roller`'s roll (GameState::awaitRoll), no dice
    // on the board.
    void awaitRoll(Side roller);
    // A match taken up at its score (pasted IDs): match play of `length` points at the score, its
    // Crawford rule on when this is its Crawford game, and a record of its own.
    void takeUpMatch(int length, int whiteScore, int blackScore, bool crawfordGame);

    void setHourglass(bool on);
    // A new game begins in the session's record (a new match or kind of play starts a new one).
    void recordNewGame();

private:
    void rollAt(Side side, bool automatic);
    void afterStep();
    void endIfBorneOff();
    // One checker of `side` seen going from `from` to `to` (0: the bar, 25: the tray).
    void showCheckerMove(Side side, int from, int to, bool withEffects);
    void showFreshBoard();
    // The turn's start shown again: cube, dice, checkers, counters.
    void showTurnStart();
    void playPlay(const Play& play, Side side);
    void playComputersChoice(Side side);
    void playMastersChoice(Side side);
    // Runs the Master's thinking while the window stays live, with the hourglass up and every
    // click, key and menu item kept out.
    void thinkLive(const std::function<void()>& job);
    // The Master's cube decision for `roller` before its roll, thought over live.
    CubeDecision masterThinksAboutCube(Side roller);
    bool opponentTakesDouble();
    Byte chooseDie(Button button, Side side, int point, bool entry) const;
    void stepByClick(Side side, int point, Button button);
    void entryByClick(Side side, Button button);
    void redrawDiceOfSideToMove();
    void declineNewGame();
    bool acceptsInput() const { return !busy_ && !hourglass_; }
    // `side` is on turn and its checkers answer clicks here (White always, Black when a second
    // person plays it at this board).
    bool movesByClick(Side side) const;
    void clearLastMoveMarks();
    // Who gives the game up: the player at this machine; between two people at one board, the
    // one on turn.
    Side resigningSide() const;

    GameState state_;
    DiceRoller roller_;
    PositionStats stats_;
    BySide<RollStats> rollStats_;
    BoardCounters counters_;
    bool busy_ = false;
    bool hourglass_ = false;
    bool enteringDice_ = false;
    bool connected_ = false;
    bool hostSide_ = false;
    bool waitingForOpponent_ = false;
    bool whiteAnswersDouble_ = false;
    bool blackBeginsNext_ = false;
    std::array<Byte, 9> moveRecord_{};
    std::array<MoveMark, 4> lastMoveMarks_{};
    int lastMoveMarkCount_ = 0;
    MatchRecorder recorder_;
    int recordSession_ = 0;
    const NeuralNets* nets_ = nullptr;
    SearchResult lastSearch_{};
    Options options_;
    Screen* screen_;
    std::unique_ptr<MoveSearch> search_;
    std::unique_ptr<Player> computer_;
    std::unique_ptr<Player> personHere_;
    Player* remote_ = nullptr;
    SavedGameFiles* files_ = nullptr;
    KeptGameStore* keptGames_ = nullptr;
};

}  // namespace lumaro

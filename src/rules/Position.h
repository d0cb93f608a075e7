#pragma once
// The checkers of one position: what the game in play, a level of the play generator,
// the turn-start snapshot and a saved game all hold. Points are numbered 1..24; index 0 is unused.
#include <array>
#include <cstdint>

namespace lumaro {

using Byte = std::uint8_t;

inline constexpr Byte kWhite = 1;
inline constexpr Byte kBlack = 0;
inline constexpr int kCheckersPerSide = 15;

// The two sides. White is always the player at this machine; Black is the computer, a second
// person at the same board, or the remote program. The byte values are the colour codes.
enum class Side : Byte { Black = kBlack, White = kWhite };

inline constexpr Byte colourOf(Side side) { return static_cast<Byte>(side); }
inline constexpr Side otherSide(Side side) { return side == Side::White ? Side::Black : Side::White; }
// `turn` is 1 while White is to move.
inline constexpr Side sideOfTurn(Byte turn) { return turn == 1 ? Side::White : Side::Black; }
inline constexpr Byte turnOf(Side side) { return side == Side::White ? 1 : 0; }

// One value for each side, indexed by the side.
template <typename T>
struct BySide {
    std::array<T, 2> values{};
    T& operator[](Side side) { return values[colourOf(side)]; }
    const T& operator[](Side side) const { return values[colourOf(side)]; }
};

struct Position {
    std::array<Byte, 25> count{};   // checkers on each point
    std::array<Byte, 25> colour{};  // 1 white, 0 black; meaningful only where count > 0
    Byte barWhite = 0;
    Byte barBlack = 0;
    Byte offWhite = 0;
    Byte offBlack = 0;

    bool hasWhite(int p) const { return count[p] > 0 && colour[p] == kWhite; }
    bool hasBlack(int p) const { return count[p] > 0 && colour[p] == kBlack; }

    // Two positions are the same when every occupied point, bar and tray agree;
    // the colour byte of an empty point does not matter.
    bool sameCheckersAs(const Position& other) const;
};

// The same checkers with the colour byte of every empty point cleared, so that equal positions are
// equal bytes.
Position normalized(const Position& pos);

// Phases: 0 normal, 1 on the bar, 2 a checker still in the opponent's home board,
// 3 all fifteen at home and none off, 4 bearing off.
Byte whitePhaseOf(const Position& pos);
Byte blackPhaseOf(const Position& pos);
inline Byte phaseOf(const Position& pos, Side side) { return side == Side::White ? whitePhaseOf(pos) : blackPhaseOf(pos); }

// Checkers of a colour on points, bar and tray (15 in every legal position).
int whiteCheckersOf(const Position& pos);
int blackCheckersOf(const Position& pos);

// Single (1), gammon (2) or backgammon (3) by the position alone: single when the loser has borne
// off a checker; backgammon when it has borne off none and still has a checker on the bar or in the
// winner's home board; else gammon.
int winKind(const Position& pos, Side winner);

// The starting position of a new game.
Position startingPosition();

// The same position seen from the other side: point p becomes 25 - p, the colours swap, and so do
// the bars and the trays.
Position mirrored(const Position& pos);

// Pips each side still has to travel: every checker counted from where it stands (the bar is 25).
int whitePipCount(const Position& pos);
int blackPipCount(const Position& pos);

}  // namespace lumaro

#include "persistence/SgfFile.h"

#include <span>

#include "files/FileBytes.h"

namespace lumaro {
namespace {

// The side's letter in move nodes and PL[]: Black is player 0, "W"; White player 1, "B".
char sideLetter(Side side) { return side == Side::Black ? 'W' : 'B'; }

char pointLetter(int logicalPoint) { return static_cast<char>('a' + logicalPoint - 1); }

// A step's point in the mover's own numbering (25 the bar, 0 off) as the file's letter.
char stepLetter(Side side, int ownPoint) {
    if (ownPoint >= 25) return 'y';
    if (ownPoint <= 0) return 'z';
    return pointLetter(side == Side::Black ? ownPoint : 25 - ownPoint);
}

// A property value: a backslash and ']' are escaped, control characters become blanks.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == ']') out += '\\';
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
    return out;
}

std::string diceText(int a, int b) { return std::to_string(a) + std::to_string(b); }

std::string rulesText(const RecordedGame& game, bool match) {
    std::string rules;
    auto add = [&rules](const char* rule) { rules += (rules.empty() ? "" : ":") + std::string(rule); };
    if (!game.rules.cube) add("NoCube");
    if (match && game.rules.crawford) add("Crawford");
    if (match && game.crawford) add("CrawfordGame");
    if (game.rules.cube && game.rules.jacoby) add("Jacoby");
    return rules.empty() ? rules : "RU[" + rules + "]";
}

bool resigned(const RecordedGame& game) {
    for (const RecordedAction& a : game.actions)
        if (a.kind == RecordedKind::Resign) return true;
    return false;
}

// The position a game was taken up in, as GNU Backgammon writes a board it was given: everything
// cleared, then player 0's checkers (Black, AW) and player 1's (White, AB), one value a checker.
std::string setupText(const RecordedSetup& setup) {
    const Position& pos = setup.position;
    auto values = [](char letter, int checkers) {
        std::string text;
        for (int n = 0; n < checkers; ++n) text += std::string("[") + letter + ']';
        return text;
    };
    // Each side from its own 1-point up, as GNU Backgammon lists them.
    std::string black, white;
    for (int p = 1; p <= 24; ++p) black += values(pointLetter(p), pos.hasBlack(p) ? pos.count[p] : 0);
    black += values('y', pos.barBlack);
    for (int p = 24; p >= 1; --p) white += values(pointLetter(p), pos.hasWhite(p) ? pos.count[p] : 0);
    white += values('y', pos.barWhite);
    std::string text = "\n;PL[" + std::string(1, sideLetter(setup.onRoll)) + "]AE[a:y]";
    if (!black.empty()) text += "AW" + black;
    if (!white.empty()) text += "AB" + white;
    if (!setup.cube.centred()) {
        text += "\n;CV[" + std::to_string(setup.cube.value()) + "]";
        text += "\n;CP[" + std::string(setup.cube.ownerWhite() ? "b" : "w") + "]";
    }
    if (setup.dieA != 0) text += "\n;PL[" + std::string(1, sideLetter(setup.onRoll)) + "]DI[" + diceText(setup.dieA, setup.dieB) + "]";
    return text;
}

std::string movesText(const RecordedGame& game) {
    std::string text;
    const std::vector<RecordedAction>& actions = game.actions;
    for (std::size_t k = 0; k < actions.size(); ++k) {
        const RecordedAction& a = actions[k];
        const std::string node = "\n;" + std::string(1, sideLetter(a.side));
        switch (a.kind) {
            case RecordedKind::Roll: {
                // Dice given up unplayed are dice set, not a play of nothing.
                const bool givenUp = a.steps.empty() && k + 1 < actions.size() &&
                                     actions[k + 1].kind == RecordedKind::Resign && actions[k + 1].side == a.side;
                if (givenUp) {
                    const bool setUpDice = k == 0 && game.setup && game.setup->dieA != 0;  // written with the position
                    if (!setUpDice) text += "\n;PL[" + std::string(1, sideLetter(a.side)) + "]DI[" + diceText(a.dieA, a.dieB) + "]";
                    break;
                }
                text += node + "[" + diceText(a.dieA, a.dieB);
                for (const RecordedStep& s : a.steps) text += std::string(1, stepLetter(a.side, s.from)) + stepLetter(a.side, s.to);
                text += "]";
                break;
            }
            case RecordedKind::Double: text += node + "[double]"; break;
            case RecordedKind::Take: text += node + "[take]"; break;
            case RecordedKind::Drop: text += node + "[drop]"; return text;
            case RecordedKind::Resign: return text;
        }
    }
    return text;
}

// "YYYY.MM.DD" as SGF's "YYYY-MM-DD".
std::string sgfDate(std::string date) {
    for (char& c : date)
        if (c == '.') c = '-';
    return date;
}

}  // namespace

std::string sgfText(const MatchRecord& record, const MatHeader& header) {
    std::string out;
    const bool match = record.matchLength > 0;
    int white = 0, black = 0;  // a money session's points so far
    int number = 0;
    for (const RecordedGame& game : record.games) {
        const bool somethingHappened = !game.actions.empty() || game.setup || game.ended;
        if (somethingHappened) {
            out += "(;FF[4]GM[6]CA[UTF-8]AP[Lumaro 2]";
            out += "MI[length:" + std::to_string(record.matchLength) + "][game:" + std::to_string(number) + "][ws:" +
                   std::to_string(match ? game.blackScore : black) + "][bs:" +
                   std::to_string(match ? game.whiteScore : white) + "]";
            out += "PW[" + escaped(header.blackName) + "]PB[" + escaped(header.whiteName) + "]";
            if (number == 0 && !header.eventDate.empty()) out += "DT[" + escaped(sgfDate(header.eventDate)) + "]";
            out += rulesText(game, match);
            if (game.ended)
                out += "RE[" + std::string(1, sideLetter(game.winner)) + "+" + std::to_string(game.points) +
                       (resigned(game) ? "R" : "") + "]";
            if (game.setup) out += setupText(*game.setup);
            out += movesText(game);
            out += ")\n";
            ++number;
        }
        if (game.ended) (game.winner == Side::White ? white : black) += game.points;
    }
    return out;
}

bool writeSgfFile(const std::string& path, const MatchRecord& record, const MatHeader& header, std::string* whyNot) {
    const std::string text = sgfText(record, header);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return writeFileAtomically(path, std::span<const std::uint8_t>(bytes, text.size()), whyNot);
}

}  // namespace lumaro

#include "persistence/MatFile.h"

#include <cstdio>
#include <span>

#include "files/FileBytes.h"

namespace lumaro {
namespace {

// Column layout: "%3d) " and a left cell 27 wide plus a space; the right cell runs to the end.
const std::string kRightColumnOnly(29, ' ');  // after "  1)" when the second player starts
const std::string kRightOfLine(34, ' ');      // a result line under the right column
const std::string kLeftResult(6, ' ');        // a result line under the left column

std::string pointsText(int points) { return "Wins " + std::to_string(points) + (points == 1 ? " point" : " points"); }

std::string rollText(const RecordedAction& roll) {
    std::string text = std::to_string(roll.dieA) + std::to_string(roll.dieB) + ": ";
    for (std::size_t k = 0; k < roll.steps.size(); ++k) {
        const RecordedStep& s = roll.steps[k];
        text += std::to_string(s.from) + '/' + std::to_string(s.to);
        if (s.hit) text += '*';
        if (k != 3) text += ' ';  // a full four-step play ends without the blank
    }
    return text;
}

bool hasRoll(const RecordedGame& game) {
    for (const RecordedAction& a : game.actions)
        if (a.kind == RecordedKind::Roll) return true;
    return false;
}

std::string padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

// Lays the cells out two to a line, the first player's on the left.
class GameWriter {
public:
    explicit GameWriter(std::string& out) : out_(out) {}

    // A cell in the column of `side`; a missing cell of the other side is left blank.
    void cell(Side side, const std::string& text) {
        if (side == Side::White) {
            if (!open_) {
                // The second player starts the game: its first line has no left cell at all.
                out_ += first_ ? "  1)" + kRightColumnOnly : lineNumber() + padded("", 27) + ' ';
            }
            out_ += text + '\n';
            open_ = false;
            ++line_;
        } else {
            if (open_) closeLine();
            out_ += lineNumber() + padded(text, 27) + ' ';
            open_ = true;
        }
        first_ = false;
    }
    bool lineOpen() const { return open_; }
    void closeLine() {
        out_ += '\n';
        open_ = false;
        ++line_;
    }

private:
    std::string lineNumber() const {
        char number[16];
        std::snprintf(number, sizeof number, "%3d) ", line_);
        return number;
    }

    std::string& out_;
    int line_ = 1;
    bool open_ = false;
    bool first_ = true;
};

void writeGame(std::string& out, const RecordedGame& game, int number, int blackScore, int whiteScore,
               const MatHeader& header) {
    out += " Game " + std::to_string(number) + '\n';
    out += ' ' + padded(matPlayerName(header.blackName) + " : " + std::to_string(blackScore), 31) +
           matPlayerName(header.whiteName) + " : " + std::to_string(whiteScore) + '\n';
    GameWriter w(out);
    int cube = 1;
    bool resultWritten = false;
    for (const RecordedAction& a : game.actions) {
        if (resultWritten) break;
        switch (a.kind) {
            case RecordedKind::Roll: w.cell(a.side, rollText(a)); break;
            case RecordedKind::Double:
                cube *= 2;
                w.cell(a.side, " Doubles => " + std::to_string(cube));
                break;
            case RecordedKind::Take: w.cell(a.side, " Takes"); break;
            case RecordedKind::Drop: {
                const int points = game.ended ? game.points : cube / 2;
                const bool right = a.side == Side::White;
                w.cell(a.side, " Drops" + (right ? "\n" + kLeftResult : std::string(23, ' ')) + pointsText(points));
                if (!right) w.closeLine();
                out += '\n';
                resultWritten = true;
                break;
            }
            case RecordedKind::Resign: {
                const int points = game.ended ? game.points : cube;
                if (a.side == Side::White)  // Black, on the left, wins
                    out += (w.lineOpen() ? "\n" : "") + kLeftResult + pointsText(points) + "\n\n";
                else
                    out += (w.lineOpen() ? std::string(" ") : kRightOfLine) + pointsText(points) + "\n\n";
                resultWritten = true;
                break;
            }
        }
    }
    if (resultWritten || !game.ended) {
        if (!resultWritten && w.lineOpen()) w.closeLine();
        return;
    }
    // Borne off: the result follows the last play, under the winner's column.
    if (w.lineOpen())
        out += '\n' + kLeftResult + pointsText(game.points) + "\n\n";
    else
        out += kRightOfLine + pointsText(game.points) + "\n\n";
}

}  // namespace

std::string matPlayerName(const std::string& name) {
    std::string out;
    for (char c : name) out += (c == ' ' || c == '\t') ? '_' : c == ':' ? '.' : (c == '\n' || c == '\r') ? '_' : c;
    return out.empty() ? std::string("Player") : out;
}

std::string matText(const MatchRecord& record, const MatHeader& header) {
    std::string out;
    if (!header.eventDate.empty()) out += "; [EventDate \"" + header.eventDate + "\"]\n";
    out += '\n';
    out += ' ' + std::to_string(record.matchLength) + " point match\n\n";
    int white = 0, black = 0;  // a money session's points so far
    int number = 0;
    for (const RecordedGame& game : record.games) {
        // A game given up before anybody rolled has no line GNU Backgammon can read, and a game taken
        // up from a set-up position no way to say where it started: they are left out, and the
        // scores of the next game carry their results.
        if (hasRoll(game) && !game.setup) {
            const bool match = record.matchLength > 0;
            writeGame(out, game, ++number, match ? game.blackScore : black, match ? game.whiteScore : white, header);
        }
        if (game.ended) (game.winner == Side::White ? white : black) += game.points;
    }
    return out;
}

bool writeMatFile(const std::string& path, const MatchRecord& record, const MatHeader& header, std::string* whyNot) {
    const std::string text = matText(record, header);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return writeFileAtomically(path, std::span<const std::uint8_t>(bytes, text.size()), whyNot);
}

}  // namespace lumaro

#!/usr/bin/env python3
"""Compares a .mat file as GNU Backgammon wrote it back after importing ours with the account of
what was played (FILE.truth from lumaro-matgen or lumaro-cli selfplay --record): every game's
scores, every roll's dice and the board after its play, the cube actions and the result.

usage: compare_mat.py EXPORTED.mat TRUTH|OURS.mat  -> prints "games=N rolls=N cube=N mismatches=N" and
the first mismatches; exit status 1 when anything differs."""
import re
import sys

TOKEN = re.compile(r"\d+\)|\d\d:|\d+/\d+\*?|Doubles|=>|Takes|Drops|Wins|points?|\d+")


def parse_games(text):
    """Each game: (scores, actions); actions in order: ('R', dice, moves), ('D',), ('T',), ('P',),
    ('W', column, points). Sides are left to the caller: they alternate from the first cell."""
    games = []
    chunks = re.split(r"^ Game \d+\n", text, flags=re.M)[1:]
    for chunk in chunks:
        lines = chunk.split("\n")
        score = re.findall(r":\s*(\d+)", lines[0])
        actions = []
        first_right = None
        for line in lines[1:]:
            for m in TOKEN.finditer(line):
                tok = m.group(0)
                if re.fullmatch(r"\d\d:", tok):
                    if first_right is None:
                        first_right = m.start() >= 30
                    actions.append(["R", (int(tok[0]), int(tok[1])), []])
                elif "/" in tok:
                    a, b = tok.rstrip("*").split("/")
                    actions[-1][2].append((int(a), int(b)))
                elif tok in ("Doubles", "Takes", "Drops"):
                    if first_right is None:
                        first_right = m.start() >= 30
                    actions.append([tok[0] if tok != "Drops" else "P"])
                elif tok == "Wins":
                    points = int(line[m.end():].split()[0])
                    actions.append(["W", 1 if m.start() >= 30 else 0, points])
        games.append(((int(score[0]), int(score[1])) if len(score) == 2 else None, actions, first_right))
    return games


def truth_of_mat(path):
    """The account of a .mat file of ours, for records that come without one (selfplay --record)."""
    games = []
    for scores, actions, first_right in parse_games(open(path).read()):
        game = {"scores": scores, "crawford": False, "actions": []}
        board = Board()
        side = 1 if first_right else 0
        rolls_in_game = 0
        for a in actions:
            if a[0] == "W":
                game["actions"].append(["W", str(a[1]), str(a[2])])
                continue
            if a[0] == "R":
                for frm, to in a[2]:
                    board.step(side, frm, to)
                game["actions"].append(["R", str(side), str(a[1][0]), str(a[1][1])] + board.text().split())
            else:
                game["actions"].append([a[0], str(side)])
            side = 1 - side
        games.append(game)
    return games


def parse_truth(path):
    if path.endswith(".mat"):
        return truth_of_mat(path)
    games = []
    for line in open(path):
        f = line.split()
        if not f:
            continue
        if f[0] == "G":
            games.append({"scores": (int(f[3]), int(f[4])), "crawford": f[5] == "1", "actions": []})
        else:
            games[-1]["actions"].append(f)
    return games


class Board:
    """Points 1..24 in the game's numbering: + White (player 1), - Black (player 0)."""

    def __init__(self):
        self.p = [0] * 25
        for point, n in ((1, 2), (12, 5), (17, 3), (19, 5)):
            self.p[point] = n
        for point, n in ((24, 2), (13, 5), (8, 3), (6, 5)):
            self.p[point] = -n
        self.bar = [0, 0]
        self.off = [0, 0]

    def logical(self, side, own):
        return own if side == 0 else 25 - own

    def step(self, side, frm, to):
        sign = 1 if side == 1 else -1
        if frm == 25:
            self.bar[side] -= 1
        else:
            self.p[self.logical(side, frm)] -= sign
        if to == 0:
            self.off[side] += 1
            return
        t = self.logical(side, to)
        if self.p[t] == -sign:
            self.p[t] = 0
            self.bar[1 - side] += 1
        self.p[t] += sign

    def text(self):
        return " ".join(str(n) for n in self.p[1:]) + " %d %d %d %d" % (self.bar[1], self.bar[0], self.off[1], self.off[0])


def next_is_resignation(actions, action):
    """Whether the truth's action after `action` is a resignation."""
    for k, t in enumerate(actions):
        if t is action:
            return k + 1 < len(actions) and actions[k + 1][0] == "X"
    return False


def main():
    exported, truth_path = sys.argv[1], sys.argv[2]
    ours = parse_games(open(exported).read())
    truth = parse_truth(truth_path)
    problems = []
    rolls = cube = 0
    if len(ours) != len(truth):
        problems.append("games: %d read back, %d played" % (len(ours), len(truth)))
    for g, (played, (scores, actions, first_right)) in enumerate(zip(truth, ours), 1):
        where = "game %d" % g
        if scores != played["scores"]:
            problems.append("%s: scores %s, played %s" % (where, scores, played["scores"]))
        board = Board()
        side = 1 if first_right else 0
        rolls_in_game = 0
        read = iter(actions)
        for t in played["actions"]:
            kind = t[0]
            if kind == "X":  # a resignation shows as its result alone
                continue
            a = next(read, None)
            if a is None:
                problems.append("%s: %s missing" % (where, " ".join(t)))
                break
            if kind == "W":
                if a[0] != "W" or a[1] != int(t[1]) or a[2] != int(t[2]):
                    problems.append("%s: result %s, played %s" % (where, a, t))
                continue
            # GNU Backgammon writes an opening roll given up unplayed in the left column, whoever
            # rolled it; the result that follows says who won.
            given_up_opening = kind == "R" and rolls_in_game == 0 and not a[2] and next_is_resignation(played["actions"], t)
            if given_up_opening and a[0] == "R":
                side = int(t[1])
            if kind != a[0] or int(t[1]) != side:
                problems.append("%s: %s read as %s by side %d" % (where, t[:3], a[:2], side))
                break
            if kind == "R":
                rolls += 1
                rolls_in_game += 1
                for frm, to in a[2]:
                    board.step(side, frm, to)
                if a[1] != (int(t[2]), int(t[3])):
                    problems.append("%s: dice %s, played %s" % (where, a[1], t[2:4]))
                if board.text() != " ".join(t[4:]):
                    problems.append("%s: board after %s differs" % (where, a))
                    break
            else:
                cube += 1
            side = 1 - side
        left = [a for a in read]
        if left:
            problems.append("%s: %d more actions read back than played" % (where, len(left)))
    print("games=%d rolls=%d cube=%d mismatches=%d" % (len(truth), rolls, cube, len(problems)))
    for p in problems[:20]:
        print("  " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Compares what GNU Backgammon holds after loading one of our .sgf files (the account gnubg_sgf.py
wrote inside gnubg) with the account of what was played (FILE.truth from lumaro-matgen): every
game's match length, scores, rules (the cube, Jacoby, Crawford) and Crawford game, the set-up position with its cube,
every roll's dice with the board before and after its play, the cube actions, gnubg's own cube and
board at the game's end, and the result.

usage: compare_sgf.py GNUBG.acc TRUTH -> prints "games=N setups=N rolls=N cube=N ... mismatches=N"
and the first mismatches; exit status 1 when anything differs."""
import sys

OPENING = "2 0 0 0 0 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0 0 0 0"


def games_of(path):
    """The account as games: the "G" line's fields and the lines after it."""
    games = []
    for line in open(path):
        f = line.split()
        if f and f[0] == "G":
            games.append((f, []))
        elif f and f[0] != "M":
            games[-1][1].append(f)
    return games


def as_the_file_says(lines):
    """A set-up's dice as the file holds them. Dice the side on roll played are the play's own; dice
    given up unplayed stay with the set-up, even when they were rolled after it (the file cannot
    tell the two apart, nor need it)."""
    if not lines or lines[0][0] != "S":
        return lines
    setup, rest = lines[0], lines[1:]
    if setup[2:4] != ["0", "0"] and rest and rest[0][0] == "R":
        return [setup[:2] + ["0", "0"] + setup[4:]] + rest
    if (setup[2:4] == ["0", "0"] and len(rest) >= 2 and rest[0][0] == "R" and rest[0][1] == setup[1]
            and rest[0][4:] == setup[6:] and rest[1][0] == "X"):
        return [setup[:2] + rest[0][2:4] + setup[4:]] + rest[1:]
    return lines


def compare_game(truth_head, truth_lines, head, lines, problems, counts):
    where = "game %s" % truth_head[1]
    number, length, black, white, crawford, jacoby, cube_rule = truth_head[1:8]
    money_jacoby = "1" if jacoby == "1" and cube_rule == "1" and length == "0" else "0"
    if head[1:7] != [number, length, black, white, crawford, money_jacoby]:
        problems.append("%s: read as %s, played %s" % (where, " ".join(head), " ".join(truth_head)))
    end = [g for g in lines if g[0] == "E"]
    got = iter([g for g in lines if g[0] != "E"])
    board, cube, owner = OPENING, 1, -1
    for t in as_the_file_says(truth_lines):
        g = next(got, None)
        if g is None or g[0] != t[0] or (g[1] != t[1] and g[1] != "-"):
            problems.append("%s: %s read as %s" % (where, " ".join(t[:4]), g and " ".join(g[:4])))
            return
        if t[0] == "S":
            counts["setups"] += 1
            board, cube, owner = " ".join(t[6:]), int(t[4]), int(t[5])
            if g[2:] != t[2:]:
                problems.append("%s: set-up read as %s, played %s" % (where, " ".join(g), " ".join(t)))
        elif t[0] == "R":
            counts["rolls"] += 1
            if g[2:4] != t[2:4]:
                problems.append("%s: dice %s, played %s" % (where, g[2:4], t[2:4]))
            if " ".join(g[32:60]) != board:
                problems.append("%s: board before %s differs" % (where, " ".join(t[:4])))
            board = " ".join(t[4:])
            if " ".join(g[4:32]) != board:
                problems.append("%s: board after %s differs" % (where, " ".join(t[:4])))
        elif t[0] in "DTP":
            counts["cube"] += 1
            if t[0] == "T":
                cube, owner = cube * 2, int(t[1])
        elif t[0] == "W":
            if g[2] != t[2]:
                problems.append("%s: result %s, played %s" % (where, " ".join(g), " ".join(t)))
            if int(t[3]) > 1 and cube == 1 and length == "0":
                counts["jacoby" if t[2] == "1" else "gammons"] += 1  # won on a centred cube
    left = list(got)
    if left:
        problems.append("%s: %d more lines read than played, first %s" % (where, len(left), " ".join(left[0][:4])))
    if not end or end[0][1:] != [str(cube), str(owner)] + board.split():
        problems.append("%s: gnubg ends with %s, played cube %d %d and board %s" % (
            where, end and " ".join(end[0]), cube, owner, board))


def rules_of(account):
    """The rules gnubg lists for the match: its "M" line."""
    for line in open(account):
        f = line.split()
        if f and f[0] == "M":
            return set(f[2].split(":")) - {"-"}
    return None


def main():
    read, played = games_of(sys.argv[1]), games_of(sys.argv[2])
    problems = []
    if played:
        length, jacoby, cube, crawford = (played[0][0][i] for i in (2, 6, 7, 8))
        rules = {"NoCube"} if cube == "0" else {"Jacoby"} if jacoby == "1" else set()
        rules |= {"Crawford"} if length != "0" and crawford == "1" else set()
        if rules_of(sys.argv[1]) != rules:
            problems.append("rules read as %s, played %s" % (rules_of(sys.argv[1]), rules))
    counts = {"setups": 0, "rolls": 0, "cube": 0, "jacoby": 0, "gammons": 0}
    if len(read) != len(played):
        problems.append("games: %d read by gnubg, %d played" % (len(read), len(played)))
    for (truth_head, truth_lines), (head, lines) in zip(played, read):
        compare_game(truth_head, truth_lines, head, lines, problems, counts)
    # Money games won by a gammon or more before anybody doubled: counted single under the Jacoby
    # rule, in full without it.
    print("games=%d setups=%d rolls=%d cube=%d jacoby-singles=%d centred-gammons=%d mismatches=%d" % (
        len(played), counts["setups"], counts["rolls"], counts["cube"], counts["jacoby"], counts["gammons"],
        len(problems)))
    for p in problems[:20]:
        print("  " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

# Runs inside GNU Backgammon (gnubg -t -q -r -p gnubg_sgf.py): loads the .sgf file named in
# SGFCHECK_IN with `load match` and writes what gnubg holds, game by game, to SGFCHECK_OUT in the
# account layout of lumaro-matgen (see tools/matcheck/RandomGames.cpp), with the boards before the
# plays and gnubg's own state at each game's end beside it:
#   G number matchLength blackScore whiteScore crawfordGame jacoby
#   S side dieA dieB cube owner board              a set-up (dice 0 0: none given up unplayed;
#                                                  side "-": nothing shows who was on roll)
#   R side dieA dieB board-after board-before     a roll ("set" dice given up unplayed too)
#   D side / T side / P side                       double, take, drop
#   E cube owner board                             gnubg's own cube and board at the game's end
#   X side / W winner points                       a resignation, the result
# Sides: 0 Black (gnubg's player 0), 1 White (player 1); owner -1 for a centred cube. Boards: points
# 1..24 of the game's numbering (+ White, - Black), then White's and Black's bar and tray.
import base64
import os

import gnubg

PLAYER = {'X': 0, 'O': 1}  # gnubg's Python names its player 0 "X"


def board_text(black, white):
    points = [0] * 25
    for i in range(24):
        points[i + 1] -= black[i]
        points[24 - i] += white[i]
    return " ".join(str(n) for n in points[1:]) + " %d %d %d %d" % (
        white[24], black[24], 15 - sum(white), 15 - sum(black))


def by_player(board, on_roll):
    """gnubg's (opponent, player on roll) as (player 0, player 1)."""
    return (board[1], board[0]) if on_roll == 0 else (board[0], board[1])


def played(before, mover, move):
    """The board after `mover` plays `move` ((from, to) in its own numbering; 25 the bar, 0 off)."""
    boards = [list(before[0]), list(before[1])]
    own, other = boards[mover], boards[1 - mover]
    for frm, to in move:
        own[24 if frm == 25 else frm - 1] -= 1
        if to == 0:
            continue
        own[to - 1] += 1
        if other[24 - to] == 1:
            other[24 - to] = 0
            other[24] += 1
    return boards


OPENING = (0, 0, 0, 0, 0, 5, 0, 3, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0)


def match_state():
    """From gnubg's match ID now: the player on roll, the cube's value and holder (-1 centred)."""
    bits = int.from_bytes(base64.b64decode(gnubg.matchid()), "little")
    owner = (bits >> 4) & 3
    return (bits >> 6) & 1, 1 << (bits & 15), -1 if owner == 3 else owner


def dump_game(number, game, out):
    info = game['info']
    gnubg.navigate()
    if number > 1:
        gnubg.navigate(game=number - 1)
    start = gnubg.cubeinfo()
    out.append("G %d %d %d %d %d %d" % (number, start['matchto'], info['score-X'], info['score-O'],
                                        start['crawford'], start['jacoby']))
    actions = game['game']
    running = (OPENING, OPENING)
    k = 0
    set_up = bool(actions) and actions[0]['action'] == 'set' and 'board' in actions[0]
    if set_up:
        # gnubg holds a set-up board as if player 0 were on roll; the cube and dice follow it.
        running = by_player(gnubg.positionfromid(actions[0]['board']), 0)
        cube, owner, dice, side = 1, -1, (0, 0), None
        k = 1
        while k < len(actions) and actions[k]['action'] == 'set':
            cube = actions[k].get('cube', cube)
            owner = PLAYER.get(actions[k].get('cube-owner'), owner)
            if 'dice' in actions[k]:
                dice, side = actions[k]['dice'], PLAYER[actions[k]['player']]
            k += 1
        if side is None and k < len(actions):
            side = PLAYER[actions[k]['player']]  # who is on roll shows in the first move after it
        out.append("S %s %d %d %d %d %s" % ("-" if side is None else side, dice[0], dice[1], cube, owner,
                                            board_text(*running)))
    for a in actions[k:]:
        side = PLAYER.get(a.get('player'), -1)
        kind = a['action']
        if kind == 'move':
            # The listing's boards follow the moves turn about from the opening; after a set-up,
            # where either side may move first, they are followed here (gnubg's own replay of the
            # game is compared at its end).
            before = running if set_up else by_player(gnubg.positionfromid(a['board']), side)
            running = played(before, side, a['move'])
            out.append("R %d %d %d %s %s" % (side, a['dice'][0], a['dice'][1], board_text(*running),
                                             board_text(*before)))
        elif kind == 'set' and 'dice' in a:  # dice rolled and given up unplayed
            text = board_text(*running)
            out.append("R %d %d %d %s %s" % (side, a['dice'][0], a['dice'][1], text, text))
        elif kind in ('double', 'take', 'drop', 'resign'):
            out.append("%s %d" % ({'double': 'D', 'take': 'T', 'drop': 'P', 'resign': 'X'}[kind], side))
        else:
            out.append("? %s" % kind)
    # gnubg's own replay of the game, run to its end: the cube and the board there.
    for _ in range(10000):
        if gnubg.navigate(next=1) is not None:
            break
    on_roll, cube, owner = match_state()
    out.append("E %d %d %s" % (cube, owner, board_text(*by_player(gnubg.board(), on_roll))))
    if info['winner'] is not None:
        out.append("W %d %d" % (PLAYER[info['winner']], info['points-won']))


def main():
    gnubg.command("load match " + os.environ["SGFCHECK_IN"])
    match = gnubg.match(0, 1, 0, 0)
    out = ["M %d %s" % (match['match-info']['match-length'], ":".join(match['match-info'].get('rules', ())) or "-")]
    for number, game in enumerate(match['games'], 1):
        dump_game(number, game, out)
    with open(os.environ["SGFCHECK_OUT"], "w") as f:
        f.write("\n".join(out) + "\n")


main()

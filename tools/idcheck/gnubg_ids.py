"""Runs inside GNU Backgammon (gnubg -t -q -r -p gnubg_ids.py): for every state that lumaro-idgen
wrote (the file in $IDCHECK_IN), GNU Backgammon's own position and match IDs, written one line per
state to $IDCHECK_OUT:

    DICT_POSITION DICT_MATCH FROMID SET_POSITION SET_MATCH SHOWN SETBOARD

DICT_*: the IDs gnubg computes from the board, cube-info and pos-info built from the state's text.
FROMID: 1 when gnubg reads our position ID back into that same board.
SET_*: the IDs gnubg holds after the state is set up with its own commands (new match, set score,
set turn, set board simple, set cube, set dice, double, resign), as its `show board` prints them;
SHOWN is 1 when `show board` prints exactly those, SETBOARD 1 when gnubg's board is the state's.
States the commands cannot make (a game over or a side with all checkers off, a resignation by the side not on roll, a match past
64 points, a double of a dead cube) get '-'.

Players: White, the player at the other program's keyboard, is gnubg's player 1 (X, the bottom
player of its board), Black is player 0 (O). A side's own point k (1 = the deepest point of its
home board) is the game's point 25-k for White and k for Black; index 24 of a side's list is its bar.
"""
import ctypes
import os
import tempfile

import gnubg  # type: ignore

LIBC = ctypes.CDLL(None)
LONGEST_MATCH = 64  # gnubg's `new match` goes no further; its IDs carry up to 32767

PLAYER = {'W': 1, 'B': 0}
RESIGN_WORDS = {1: 'single', 2: 'gammon', 3: 'backgammon'}


def parse(line):
    fields = dict(token.split('=') for token in line.split()[:15])
    pairs = lambda key: [int(v) for v in fields[key].split(',')]
    return {
        'points': pairs('points'), 'bar': pairs('bar'), 'off': pairs('off'), 'cube': int(fields['cube']),
        'holder': fields['holder'], 'roll': fields['roll'], 'act': fields['act'],
        'dice': pairs('dice'), 'double': int(fields['double']), 'resign': int(fields['resign']),
        'state': int(fields['state']), 'length': int(fields['length']), 'score': pairs('score'),
        'crawford': int(fields['crawford']), 'jacoby': int(fields['jacoby']),
    }, line.split()[15:17]


def own_list(s, side):
    """The side's 25 counts from its own view: points 1..24, then the bar."""
    counts = [0] * 25
    for p, v in enumerate(s['points'], start=1):
        if side == 'W' and v > 0:
            counts[24 - p] = v          # our point p is White's own point 25-p
        elif side == 'B' and v < 0:
            counts[p - 1] = -v          # Black's own point p is our point p
    counts[24] = s['bar'][0 if side == 'W' else 1]
    return counts


def board_of(s):
    other = 'B' if s['roll'] == 'W' else 'W'
    return (own_list(s, other), own_list(s, s['roll']))


def scores(s):
    """(player 0, player 1) = (Black, White)."""
    return (s['score'][1], s['score'][0])


def dict_ids(s, board):
    owner = -1 if s['holder'] == '-' else PLAYER[s['holder']]
    # cubeinfo() looks a match's gammon prices up in a table of matches to 64 points (and crashes
    # past it), and clears a money session's score, which the ID keeps: made for a money game, the
    # match's fields are filled in after.
    ci = gnubg.cubeinfo(s['cube'], owner, PLAYER[s['roll']], 0, (0, 0), 0, 0)
    ci.update(matchto=s['length'], score=scores(s), crawford=s['crawford'], jacoby=s['jacoby'])
    pi = gnubg.posinfo(PLAYER[s['act']], s['resign'], s['double'], s['state'], tuple(s['dice']))
    return gnubg.positionid(board), gnubg.matchid(ci, pi)


def settable(s):
    if s['state'] != 1 or s['length'] > LONGEST_MATCH:
        return False
    if 15 in s['off']:
        return False  # gnubg sets no board where a side has borne off all its checkers
    if s['double'] and s['length'] and s['cube'] >= min(s['length'] - v for v in s['score']):
        return False  # gnubg refuses to double a cube that is already dead in the match
    # gnubg lets the side on turn resign; a resignation by the other side is not made by command.
    return s['resign'] == 0 or s['act'] != s['roll']


def set_up(s, board):
    c = gnubg.command
    c('set jacoby ' + ('on' if s['jacoby'] else 'off'))
    c('new match %d' % s['length'] if s['length'] else 'new session')
    p0, p1 = scores(s)
    if s['length'] or p0 or p1:
        c('set score %d %d' % (p0, p1))
    if s['length']:
        # gnubg takes a side one point from the match as the Crawford game unless told otherwise.
        c('set crawford ' + ('on' if s['crawford'] else 'off'))
    c('set turn %d' % PLAYER[s['roll']])
    mine, theirs = board[1], board[0]
    # set board simple: the bar of the side on roll, its points 1..24 with the opponent's checkers
    # negative (the opponent's own point 25-k is point k here), the opponent's bar.
    simple = [mine[24]] + [mine[k] - theirs[23 - k] for k in range(24)] + [theirs[24]]
    c('set board simple ' + ' '.join(str(v) for v in simple))
    if s['holder'] == '-':
        c('set cube centre')
    if s['cube'] > 1:
        c('set cube value %d' % s['cube'])
        c('set cube owner %d' % PLAYER[s['holder']])
    if s['dice'][0]:
        c('set dice %d %d' % tuple(s['dice']))
    if s['double']:
        c('double')
    if s['resign']:
        c('resign ' + RESIGN_WORDS[s['resign']])


def shown_board():
    """What `show board` prints: gnubg writes it to its standard output, caught here in a file."""
    LIBC.fflush(None)
    saved = os.dup(1)
    with tempfile.TemporaryFile() as tmp:
        os.dup2(tmp.fileno(), 1)
        try:
            gnubg.command('show board')
            LIBC.fflush(None)
        finally:
            os.dup2(saved, 1)
            os.close(saved)
        tmp.seek(0)
        return tmp.read().decode('utf-8', 'replace')


def same_board(a, b):
    return [list(x) for x in a] == [list(x) for x in b]


def main():
    for player in (0, 1):
        gnubg.command('set player %d human' % player)
    with open(os.environ['IDCHECK_IN']) as src, open(os.environ['IDCHECK_OUT'], 'w') as out:
        for line in src:
            s, ours = parse(line)
            board = board_of(s)
            dict_pos, dict_match = dict_ids(s, board)
            from_id = int(same_board(gnubg.positionfromid(ours[0]), board))
            row = [dict_pos, dict_match, str(from_id)]
            if settable(s):
                set_up(s, board)
                set_pos, set_match = gnubg.positionid(), gnubg.matchid()
                shown = shown_board()
                printed = ('Position ID: ' + set_pos) in shown and ('Match ID   : ' + set_match) in shown
                row += [set_pos, set_match, str(int(printed)), str(int(same_board(gnubg.board(), board)))]
            else:
                row += ['-', '-', '-', '-']
            out.write(' '.join(row) + '\n')
            out.flush()  # a state that crashes gnubg is then the one after the last line


main()

"""Replays the games of a strength-harness log (run.sh ... --log FILE --log-moves).

The harness's own rules module (play.py) does the moves, so a replay sees the boards exactly as
the harness did: each side's checkers as 25 counts from its own side, index 24 its bar.
"""
import json
import os
import sys

HARNESS = os.environ.get('HARNESS', os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                 '..', '..', '..', 'shared', 'harness'))
sys.path.insert(0, HARNESS)
import play as rules  # noqa: E402

BAR = rules.BAR


def _points(side):
    """The points (bar = 25) where a side has checkers, in its own numbering."""
    return [p for p in range(1, 26) if side[BAR if p == 25 else p - 1]]


def contact(me, opp):
    """Whether a checker of `me` still has an opposing checker in front of it."""
    mine, theirs = _points(me), [25 - p for p in _points(opp)]
    return bool(mine and theirs) and max(mine) > min(theirs)


def all_home(me):
    return me[BAR] == 0 and not any(me[6:24])


def pips(side):
    return sum((i + 1) * side[i] for i in range(24)) + 25 * side[BAR]


def read_log(path):
    with open(path) as f:
        for line in f:
            rec = json.loads(line)
            if rec.get('status') == 'ok' and 'moves' in rec:
                yield rec


def plies(rec):
    """Every ply of a logged game: (ply, side 'A' or 'B', dice, me, opp, after_me, after_opp, finals),
    `me` being the side on roll; finals maps each legal result to its (me, opp)."""
    pos = [rules.start_pos(), rules.start_pos()]
    turn = 0 if rec['starter'] == 'A' else 1
    for ply, move in enumerate(rec['moves']):
        side, roll, *tokens = move.split(' ')
        dice = (int(roll[0]), int(roll[1]))
        me, opp = pos[turn], pos[1 - turn]
        most, finals = rules.legal_plays(me, opp, dice)
        if tokens in (['none'], ['forced']):
            after = next(iter(finals.values())) if finals else (me, opp)
        elif ':' in tokens[0]:  # the engine's steps, point:die
            steps = [tuple(map(int, t.split(':'))) for t in tokens]
            nme, nopp, why = rules.check_engine_play(me, opp, dice, steps, most)
            if why:
                raise ValueError('game %s ply %d: %s' % (rec['game'], ply, why))
            after = (nme, nopp)
        else:  # gnubg's moves, from/to, as the harness applied them
            after = rules.apply_gnubg_move(me, opp, tuple(int(x) for t in tokens for x in t.split('/')))
        yield ply, side, dice, me, opp, after[0], after[1], finals
        pos[turn], pos[1 - turn] = after
        turn = 1 - turn


def run_inside_gnubg(main):
    """Runs main, then ends gnubg, which would otherwise wait at its prompt."""
    try:
        main()
    except BaseException:
        import traceback
        traceback.print_exc()
    sys.stderr.flush()
    os._exit(0)

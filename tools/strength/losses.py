"""What each of the engine's plays in harness games costs, as GNU Backgammon judges it.

For every roll with a choice the engine (player A) made, the play GNU Backgammon 0-ply would have
made and the engine's are both evaluated (cubeless money equity, the mover's side) at LOSSES_PLIES
(default 2); the difference is written as one JSON line with what kind of position it was.
loss_table.py adds them up. Runs inside gnubg's Python:

    LOSSES_LOG=games.jsonl LOSSES_OUT=losses.jsonl gnubg -t -q -r -s TMPDIR -p losses.py
"""
import json
import os
import sys

# gnubg runs this file without __file__; its code object still knows where it is.
sys.path.insert(0, os.path.dirname(os.path.abspath(sys._getframe().f_code.co_filename)))
import gnubg  # noqa: E402  (only inside gnubg)
import harness_games as hg  # noqa: E402

R = hg.rules
R.gnubg = gnubg
R.gnubg_init()
PLIES = int(os.environ.get('LOSSES_PLIES', '2'))
JUDGE = gnubg.evalcontext(0, PLIES, 1, 1 if PLIES else 0, 0.0)


def equity_after(me, opp):
    """Cubeless equity for the side that has just moved; the opponent is on roll."""
    if sum(me) == 0:
        return float(R.game_value(opp))
    w, wg, wb, lg, lb = gnubg.evaluate((list(me), list(opp)), R.GNUBG_CI, JUDGE)[:5]
    return -(2 * w - 1 + wg - lg + wb - lb)


def main():
    with open(os.environ['LOSSES_OUT'], 'w') as out:
        for rec in hg.read_log(os.environ['LOSSES_LOG']):
            for ply, side, dice, me, opp, nme, nopp, finals in hg.plies(rec):
                if side != 'A' or len(finals) < 2:
                    continue
                gme, gopp = R.apply_gnubg_move(me, opp, R.gnubg_raw_move(me, opp, dice))
                same = R.pos_key(gme, gopp) == R.pos_key(nme, nopp)
                loss = 0.0 if same else equity_after(gme, gopp) - equity_after(nme, nopp)
                out.write(json.dumps({
                    'game': rec['game'], 'ply': ply, 'dice': '%d%d' % dice, 'same': same, 'loss': loss,
                    'contact_before': hg.contact(me, opp), 'contact_after': hg.contact(nme, nopp),
                    'gnubg_contact_after': hg.contact(gme, gopp), 'home_after': hg.all_home(nme),
                    'on_bar': me[hg.BAR] > 0, 'pips': hg.pips(me), 'opponent_pips': hg.pips(opp)}) + '\n')


hg.run_inside_gnubg(main)

"""The positions of harness games as start positions for `lumaro-train distill --starts`: the
position ID (as the side on roll sees it) of every position in contact before a roll but the
first, one a line. Runs inside gnubg's Python:

    STARTS_LOGS="a.jsonl b.jsonl" STARTS_OUT=starts.txt gnubg -t -q -r -s TMPDIR -p start_positions.py
"""
import os
import sys

# gnubg runs this file without __file__; its code object still knows where it is.
sys.path.insert(0, os.path.dirname(os.path.abspath(sys._getframe().f_code.co_filename)))
import gnubg  # noqa: E402  (only inside gnubg)
import harness_games as hg  # noqa: E402


def main():
    with open(os.environ['STARTS_OUT'], 'w') as out:
        for path in os.environ['STARTS_LOGS'].split():
            for rec in hg.read_log(path):
                for ply, side, dice, me, opp, *rest in hg.plies(rec):
                    if ply > 0 and hg.contact(me, opp):
                        out.write(gnubg.positionid((list(opp), list(me))) + '\n')


hg.run_inside_gnubg(main)

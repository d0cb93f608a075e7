"""The Master's cube decisions against GNU Backgammon's at 2-ply, on positions from real games.

    check_cube.py LOG.jsonl [LOG.jsonl ...] --cli LUMARO_CLI --out DIR [--count N] [--plies P]

The positions are the strength harness's games (run.sh ... --log FILE --log-moves): every k-th
position where a side is about to roll, k spreading COUNT of them over all the logged plies, none
chosen by hand. Each is judged under one cube situation from a fixed cycle: money games with the
cube centred or owned by the side on roll, and matches (level and uneven scores, the Crawford game,
after it). The side on roll is Black in our saved game and gnubg's player 1 (`root`, X); gnubg's
position ID after setting the board must be the one `lumaro-cli id` gives for our file.
"""
import argparse
import concurrent.futures
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'strength'))
import harness_games  # noqa: E402

BAR = 24
KINDS = ('no double', 'double, take', 'double, pass', 'too good')

# (match length, roller's score, opponent's score, Crawford game, cube value, roller owns it);
# length 0 is a money game. Money comes seven times in ten.
SITUATIONS = [
    (0, 0, 0, False, 1, False), (0, 0, 0, False, 1, False), (0, 0, 0, False, 1, False),
    (0, 0, 0, False, 1, False), (0, 0, 0, False, 1, False),
    (0, 0, 0, False, 2, True), (0, 0, 0, False, 2, True),
    (7, 2, 4, False, 1, False), (5, 2, 4, False, 1, False), (5, 2, 4, True, 1, False),
    (0, 0, 0, False, 1, False), (0, 0, 0, False, 1, False), (0, 0, 0, False, 1, False),
    (0, 0, 0, False, 1, False), (0, 0, 0, False, 1, False),
    (0, 0, 0, False, 2, True), (0, 0, 0, False, 2, True),
    (5, 3, 1, False, 2, True), (7, 1, 6, False, 1, False), (9, 0, 0, False, 1, False),
]


def situation_name(s):
    length, mine, theirs, crawford, cube, owned = s
    where = 'money' if length == 0 else '%d-pt %d-%d%s' % (
        length, mine, theirs, ' Crawford' if crawford else (' post-Crawford' if max(mine, theirs) == length - 1 else ''))
    return '%s, cube %s' % (where, 'centred' if cube == 1 else '%d ours' % cube)


def pick_positions(logs, count):
    everything = []
    for path in logs:
        for rec in harness_games.read_log(path):
            for _ply, _side, _dice, me, opp, *_ in harness_games.plies(rec):
                everything.append((me, opp))
    step = max(1, len(everything) // count)
    return everything[::step][:count]


def sav_bytes(me, opp, situation):
    """Our saved game: `me` is Black, on roll, the dice not yet rolled."""
    length, mine, theirs, crawford, cube, owned = situation
    game = bytearray(58)
    for p in range(1, 25):
        black, white = me[p - 1], opp[24 - p]
        if black:
            game[p - 1] = black
        elif white:
            game[p - 1] = white
            game[24 + p - 1] = 1
    game[50] = 0                       # Black to move
    game[51] = 15 - sum(opp)           # White off
    game[52] = 15 - sum(me)            # Black off
    game[53] = opp[BAR]
    game[54] = me[BAR]
    game[55] = cube
    game[56] = 0 if owned or cube == 1 else 1
    game[57] = 1
    return bytes(game)


def match_args(situation):
    length, mine, theirs, crawford, _cube, _owned = situation
    if length == 0:
        return []
    return ['--match', str(length), '--score', str(theirs), str(mine)] + (['--crawford'] if crawford else [])


def gnubg_commands(index, me, opp, situation):
    length, mine, theirs, crawford, cube, owned = situation
    # gnubg's simple board from the side on roll: its bar, its points 1..24 with the opponent's
    # checkers negative, the opponent's bar.
    board = [me[BAR]] + [me[p - 1] - opp[24 - p] for p in range(1, 25)] + [opp[BAR]]
    lines = ['new session' if length == 0 else 'new match %d' % length]
    if length:
        lines.append('set score %d %d' % (theirs, mine))
        lines.append('set crawford %s' % ('on' if crawford else 'off'))
    lines += ['set turn 1', 'set board simple ' + ' '.join(map(str, board))]
    if cube > 1:
        lines += ['set cube value %d' % cube, 'set cube owner 1']
    lines.append('hint')
    return lines


def gnubg_kind(action):
    """gnubg's proper cube action in our four words."""
    a = action.lower()
    if a.startswith('too good'):
        return 'too good'
    if a.startswith('double') or a.startswith('redouble') or a.startswith('optional'):
        return 'double, take' if ('take' in a or 'beaver' in a) else 'double, pass'
    return 'no double'


def our_kind(first_line):
    return 'too good' if first_line.startswith('too good') else first_line.strip()


def parse_gnubg(text):
    """One position's answer: (position ID, our kind, optional, {nd, dt, dp}, gnubg's words)."""
    ids = re.findall(r'Position ID: (\S+)', text)
    action = re.search(r'Proper cube action: (.*)', text)
    eq = {}
    for key, pattern in (('nd', r'No (?:re)?double\s+([-+]\d+\.\d+)'),
                         ('dt', r'(?:Re)?[Dd]ouble, take\s+([-+]\d+\.\d+)'),
                         ('dp', r'(?:Re)?[Dd]ouble, pass\s+([-+]\d+\.\d+)')):
        m = re.search(r'\d\. ' + pattern, text)
        if m:
            eq[key] = float(m.group(1))
    if action:
        words = action.group(1).strip()
        return ids[-1] if ids else None, gnubg_kind(words), words.lower().startswith('optional'), eq, words
    if 'cannot double' in text:
        return ids[-1] if ids else None, 'no double', False, eq, 'cannot double'
    return ids[-1] if ids else None, None, False, eq, ''


def ask_gnubg(gnubg, setup, lines, timeout=180):
    """One gnubg process a position: its output's order is then the order of the commands."""
    try:
        run = subprocess.run([gnubg, '-t', '-q'], input='\n'.join(setup + lines) + '\n', capture_output=True,
                             text=True, timeout=timeout)
    except subprocess.TimeoutExpired as e:
        # A gnubg that does not come back is a position without an answer, not a hung check.
        return (e.stdout or b'').decode(errors='replace') if isinstance(e.stdout, bytes) else (e.stdout or '')
    # gnubg says why the cube cannot be turned ("You cannot double.") on its standard error.
    return run.stdout + run.stderr


def value_of(kind, eq):
    """What gnubg's equities give the side on roll for a decision (the opponent answering at best
    when it doubles), and the opponent's own error when its answer is not the better one."""
    if kind in ('no double', 'too good'):
        return eq['nd']
    return min(eq['dt'], eq['dp'])


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('logs', nargs='+')
    ap.add_argument('--cli', required=True)
    ap.add_argument('--out', required=True)
    ap.add_argument('--count', type=int, default=320)
    ap.add_argument('--plies', type=int, default=2)
    ap.add_argument('--gnubg', default=os.environ.get('GNUBG', '/usr/games/gnubg'))
    ap.add_argument('--worst', type=int, default=12)
    ap.add_argument('--jobs', type=int, default=2)
    ap.add_argument('--reuse', help="an earlier run's --out, whose gnubg answers are read again")
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)

    positions = pick_positions(args.logs, args.count)
    cases = []
    per_position = []
    setup = ['set player 0 human', 'set player 1 human', 'set automatic roll off', 'set jacoby off',
                'set beavers 0', 'set evaluation cubedecision eval plies %d' % args.plies,
                'set evaluation cubedecision eval cubeful on']
    for i, (me, opp) in enumerate(positions):
        situation = SITUATIONS[i % len(SITUATIONS)]
        sav = os.path.join(args.out, 'pos%04d.sav' % i)
        with open(sav, 'wb') as f:
            f.write(sav_bytes(me, opp, situation))
        ours = subprocess.run([args.cli, 'cube', sav] + match_args(situation), capture_output=True, text=True)
        ids = subprocess.run([args.cli, 'id', sav] + match_args(situation), capture_output=True, text=True)
        our_id = re.search(r'Position ID: (\S+)', ids.stdout)
        cases.append({'index': i, 'situation': situation, 'sav': sav,
                      'ours': our_kind(ours.stdout.splitlines()[0]) if ours.returncode == 0 and ours.stdout else None,
                      'our_text': ours.stdout + ours.stderr, 'our_id': our_id.group(1) if our_id else None})
        per_position.append(gnubg_commands(i, me, opp, situation))
    def answer(i):
        # gnubg's answers of an earlier run on the same logs and count, when told: its 2-ply is the
        # slow part, and a changed position would show in the position ID check.
        earlier = os.path.join(args.reuse, 'gnubg%04d.txt' % i) if args.reuse else ''
        if earlier and os.path.exists(earlier):
            with open(earlier) as f:
                text = f.read()
        else:
            text = ask_gnubg(args.gnubg, setup, per_position[i])
        with open(os.path.join(args.out, 'gnubg%04d.txt' % i), 'w') as f:
            f.write(text)
        return parse_gnubg(text)

    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        answers = dict(enumerate(pool.map(answer, range(len(per_position)))))

    table = {(g, o): 0 for g in KINDS for o in KINDS}
    agreed = judged = 0
    problems = []
    costs = []
    by_situation = {}
    for c in cases:
        answer = answers.get(c['index'])
        if not answer or answer[1] is None or c['ours'] not in KINDS:
            problems.append('position %d: no answer (gnubg %s, ours %r)' % (c['index'], answer, c['ours']))
            continue
        gid, kind, optional, eq, action = answer
        if gid != c['our_id']:
            problems.append('position %d: gnubg read the board as %s, ours is %s' % (c['index'], gid, c['our_id']))
            continue
        judged += 1
        table[(kind, c['ours'])] += 1
        # An optional double is as good as not doubling: either answer agrees.
        same = c['ours'] == kind or (optional and c['ours'] == 'no double')
        name = situation_name(c['situation'])
        s = by_situation.setdefault(name, [0, 0])
        s[1] += 1
        if same:
            agreed += 1
            s[0] += 1
        elif len(eq) == 3:
            ours = c['ours']
            cost = value_of(kind, eq) - value_of(ours, eq)
            # The opponent's answer: ours says take or pass when gnubg's double says the other.
            if ours.startswith('double') and kind.startswith('double') and ours != kind:
                cost += abs(eq['dt'] - eq['dp'])
            costs.append((cost, c, action, eq))

    print('positions %d, judged %d, agreement %d/%d = %.1f %%' % (len(cases), judged, agreed, judged,
                                                                 100.0 * agreed / max(1, judged)))
    print()
    print('%-16s' % 'gnubg \\ ours' + ''.join('%14s' % k for k in KINDS))
    for g in KINDS:
        print('%-16s' % g + ''.join('%14d' % table[(g, o)] for o in KINDS))
    print()
    for name in sorted(by_situation):
        a, n = by_situation[name]
        print('  %-32s %3d/%3d agree' % (name, a, n))
    print()
    print('worst disagreements (equity lost by our decision, gnubg %d-ply figures):' % args.plies)
    for cost, c, action, eq in sorted(costs, key=lambda x: -x[0])[:args.worst]:
        print('  %.3f  %s  %s: gnubg "%s" (ND %+.3f DT %+.3f DP %+.3f), ours "%s"' % (
            cost, os.path.basename(c['sav']), situation_name(c['situation']), action, eq['nd'], eq['dt'], eq['dp'],
            c['ours']))
    for p in problems:
        print('problem: ' + p, file=sys.stderr)
    return 1 if problems and judged == 0 else 0


if __name__ == '__main__':
    sys.exit(main())

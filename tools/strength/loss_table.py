"""Adds up losses.py's output by kind of position: where the engine loses against GNU Backgammon.

    python3 loss_table.py losses.jsonl
"""
import collections
import json
import sys


def kind(r):
    if not r['contact_before']:
        return 'race (no contact before the roll)'
    if not r['contact_after'] and r['gnubg_contact_after']:
        return 'engine broke contact, gnubg kept it'
    if not r['contact_after']:
        return 'both broke contact'
    if r['ply'] <= 1:
        return 'first roll of the side'
    if r['on_bar']:
        return 'entering from the bar'
    if r['home_after']:
        return 'contact, all home after (network 2)'
    return 'contact (network 1)'


def main(path):
    rows = [json.loads(line) for line in open(path)]
    games = len({r['game'] for r in rows}) or 1
    sums = collections.defaultdict(lambda: [0, 0, 0.0, 0])
    for r in rows:
        s = sums[kind(r)]
        s[0] += 1
        s[1] += not r['same']
        s[2] += r['loss']
        s[3] += r['loss'] > 0.04
    total = sum(s[2] for s in sums.values()) or 1.0
    print('%d games, %d rolls with a choice, %.4f points lost a game' % (games, len(rows), total / games))
    print('%-38s %7s %7s %9s %7s %6s' % ('kind of position', 'rolls', 'differ', 'lost/game', 'share', '>0.04'))
    for k, s in sorted(sums.items(), key=lambda kv: -kv[1][2]):
        print('%-38s %7d %7d %9.4f %6.1f%% %6d' % (k, s[0], s[1], s[2] / games, 100 * s[2] / total, s[3]))


if __name__ == '__main__':
    main(sys.argv[1])

#!/usr/bin/env python3
"""Compares this game's IDs with GNU Backgammon's, both ways, for tools/check-ids-with-gnubg.sh.

    compare_ids.py STATES GNUBG DECODED_DICT DECODED_SET

STATES: lumaro-idgen's states with our IDs; GNUBG: gnubg_ids.py's line for each; DECODED_*: the
states lumaro-idgen --decode reads back from gnubg's IDs (from its cube-info and from its commands).
Prints one summary line, then the first mismatches; exits 1 when there is any.
"""
import sys


def canonical(text):
    """The state's text with the dice higher first: the IDs keep no order of the dice."""
    tokens = []
    for token in text.split():
        if token.startswith('dice='):
            a, b = sorted((int(v) for v in token[5:].split(',')), reverse=True)
            token = 'dice=%d,%d' % (a, b)
        tokens.append(token)
    return ' '.join(tokens)


def main(states_path, gnubg_path, dict_path, set_path):
    with open(states_path) as f:
        states = f.read().splitlines()
    with open(gnubg_path) as f:
        gnubg = [line.split() for line in f.read().splitlines()]
    with open(dict_path) as f:
        decoded_dict = f.read().splitlines()
    with open(set_path) as f:
        decoded_set = f.read().splitlines()
    if not (len(states) == len(gnubg) == len(decoded_dict) == len(decoded_set)):
        print('line counts differ: states=%d gnubg=%d decoded=%d,%d'
              % (len(states), len(gnubg), len(decoded_dict), len(decoded_set)))
        return 1

    checks = 0
    set_up = 0
    faults = []
    for n, (line, g, back_dict, back_set) in enumerate(zip(states, gnubg, decoded_dict, decoded_set), start=1):
        tokens = line.split()
        text, ours = ' '.join(tokens[:15]), tokens[15:17]
        dict_pos, dict_match, from_id, set_pos, set_match, shown, set_board = g

        def expect(holds, what):
            nonlocal checks
            checks += 1
            if not holds:
                faults.append('state %d: %s\n    %s\n    ours %s %s, gnubg %s' % (n, what, text, ours[0], ours[1], ' '.join(g)))

        expect(ours[0] == dict_pos, 'position ID differs from gnubg.positionid(board)')
        expect(ours[1] == dict_match, 'match ID differs from gnubg.matchid(cube-info, pos-info)')
        expect(from_id == '1', 'gnubg.positionfromid(our ID) is not the board')
        expect(canonical(back_dict) == canonical(text), 'gnubg\'s IDs read back as another state: ' + back_dict)
        if set_pos != '-':
            set_up += 1
            expect(set_board == '1', 'gnubg\'s board after `set board simple` is not the state\'s')
            expect(ours[0] == set_pos, 'position ID differs from the one gnubg holds after its commands')
            expect(ours[1] == set_match, 'match ID differs from the one gnubg holds after its commands')
            expect(shown == '1', '`show board` prints other IDs than gnubg holds')
            expect(canonical(back_set) == canonical(text), 'gnubg\'s IDs read back as another state: ' + back_set)

    print('states=%d set_up_by_command=%d comparisons=%d mismatches=%d' % (len(states), set_up, checks, len(faults)))
    for fault in faults[:10]:
        print(fault)
    return 1 if faults else 0


if __name__ == '__main__':
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))

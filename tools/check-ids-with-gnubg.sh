#!/usr/bin/env bash
# Our position and match IDs against GNU Backgammon's (Debian gnubg 1.07), both ways: random
# positions (bars, bear-offs, any spread of checkers), cubes, dice, open doubles and resignations,
# money games with and without the Jacoby rule, matches with their scores and Crawford games.
# For each state gnubg computes its IDs from the board and cube as its Python functions take them,
# and again after setting the state up with its own commands, reading the IDs its `show board`
# prints; ours must be the same strings, gnubg must read our position ID as the same board, and
# our decoder must read gnubg's IDs back as the same state.
#   tools/check-ids-with-gnubg.sh [COUNT [SEED [OUT]]]   (needs: apt-get install gnubg; the build in BUILD or build/)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$here/build}"
count="${1:-5000}"
seed="${2:-1}"
out="${3:-/tmp/lumaro-idcheck}"
gnubg="${GNUBG:-/usr/games/gnubg}"
rm -rf "$out"
mkdir -p "$out"
cmake --build "$build" -j2 --target lumaro-idgen lumaro-cli >/dev/null

"$build/lumaro-idgen" --count "$count" --seed "$seed" >"$out/states.txt"
IDCHECK_IN="$out/states.txt" IDCHECK_OUT="$out/gnubg.txt" \
    "$gnubg" -t -q -r -p "$here/tools/idcheck/gnubg_ids.py" >"$out/gnubg.log" 2>&1 || true
if [ ! -s "$out/gnubg.txt" ] || [ "$(wc -l <"$out/gnubg.txt")" -ne "$count" ]; then
    echo "gnubg did not answer for every state:"; tail -5 "$out/gnubg.log"; exit 1
fi
awk '{ print $1, $2 }' "$out/gnubg.txt" | "$build/lumaro-idgen" --decode >"$out/decoded-dict.txt"
awk '{ print $4, $5 }' "$out/gnubg.txt" | "$build/lumaro-idgen" --decode >"$out/decoded-set.txt"
status=0
python3 "$here/tools/idcheck/compare_ids.py" "$out/states.txt" "$out/gnubg.txt" \
    "$out/decoded-dict.txt" "$out/decoded-set.txt" || status=1

# lumaro-cli id on a saved game, against what gnubg's `show board` prints for the same game set up
# by hand: White (gnubg's player 1) has opened with 3-1, Black (player 0) is to play 6-5, White
# holds a 2-cube and leads 4-2 in a 7-point match.
python3 - "$out/game.sav" <<'PY'
import sys
game = bytearray(58)
for point, white, n in ((1, 1, 2), (12, 1, 5), (17, 1, 2), (19, 1, 4), (20, 1, 2),
                        (24, 0, 2), (13, 0, 5), (8, 0, 3), (6, 0, 5)):
    game[point - 1] = n
    game[24 + point - 1] = white
game[48:51] = bytes((6, 5, 0))   # dice 6 and 5, Black to move
game[55:58] = bytes((2, 1, 1))   # a 2-cube held by White, in use
open(sys.argv[1], 'wb').write(game)
PY
cli=$("$build/lumaro-cli" id "$out/game.sav" --match 7 --score 4 2 | tr '\n' ' ')
# set board simple, from Black's side: its bar, its points 1..24 (ours, Black's own numbering)
# with White's checkers negative, White's bar.
board="0 -2 0 0 0 0 5 0 3 0 0 0 -5 5 0 0 0 -2 0 -4 -2 0 0 0 2 0"
printf '%s\n' "set player 0 human" "set player 1 human" "new match 7" "set score 2 4" "set crawford off" \
    "set turn 0" "set board simple $board" "set cube value 2" "set cube owner 1" "set dice 6 5" "show board" |
    "$gnubg" -t -q >"$out/game.log" 2>&1 || true
position=$(sed -n 's/.*Position ID: \([^ ]*\).*/\1/p' "$out/game.log" | tail -1)
match=$(sed -n 's/.*Match ID *: \([^ ]*\).*/\1/p' "$out/game.log" | tail -1)
expected="Position ID: $position Match ID: $match "
if [ "$cli" = "$expected" ]; then echo "lumaro-cli id: ${cli}as gnubg shows the same game"; else
    echo "lumaro-cli id printed '$cli', gnubg shows '$expected'"; status=1; fi
exit $status

#!/usr/bin/env bash
# Our .sgf match files read by GNU Backgammon (Debian gnubg 1.07) with its default settings: random
# legal games (lumaro-matgen) with the cube, drops, resignations, gammons, entries and bear-offs, in
# money sessions with and without the Jacoby rule and without the cube, in matches with and without
# the Crawford rule, a share of them taken up from a set-up position (a board some turns into a
# game, either side on roll, with or without its dice, the cube turned or not), as LOAD and pasted
# IDs start games. gnubg loads each file (load match) and its Python side lists what it holds
# (tools/matcheck/gnubg_sgf.py); every game's match length, scores, Crawford game, Jacoby rule,
# set-up, dice, board before and after each play, cube actions, gnubg's own cube and board at the
# game's end and the result are compared with what was played (tools/matcheck/compare_sgf.py).
#   tools/check-sgf-with-gnubg.sh [OUT]   (needs: apt-get install gnubg; the build in BUILD or build/)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$here/build}"
out="${1:-/tmp/lumaro-sgfcheck}"
gnubg="${GNUBG:-/usr/games/gnubg}"
rm -rf "$out"
mkdir -p "$out"
cmake --build "$build" -j2 --target lumaro-matgen >/dev/null

files=()
generate() {  # NAME, then lumaro-matgen's options
    local name="$1"
    shift
    "$build/lumaro-matgen" --out "$out/$name.mat" --sgf "$out/$name.sgf" "$@"
    files+=("$out/$name")
}
generate money-jacoby --seed 1 --money 60 --jacoby --setups 25
generate money --seed 2 --money 60 --setups 25
generate money-nocube --seed 3 --money 30 --no-cube --setups 25
generate setups --seed 4 --money 40 --jacoby --setups 100
for seed in 1 2 3 4 5 6 7 8 9 10 11 12; do
    generate "match5-$seed" --seed "$seed" --match 5 --setups 20
    generate "match3-$seed" --seed "$seed" --match 3 --setups 20
done
for seed in 13 14 15 16; do
    generate "match7-nocrawford-$seed" --seed "$seed" --match 7 --no-crawford --setups 20
done

status=0
declare -A total=()
for f in "${files[@]}"; do
    name=$(basename "$f")
    SGFCHECK_IN="$f.sgf" SGFCHECK_OUT="$f.gnubg" \
        "$gnubg" -t -q -r -p "$here/tools/matcheck/gnubg_sgf.py" >"$f.log" 2>&1 || true
    if grep -qiE "traceback|error|illegal|invalid|warning" "$f.log"; then
        echo "$name: gnubg complained:"; grep -iE -A3 "traceback|error|illegal|invalid|warning" "$f.log" | head -8
        status=1
    fi
    if [ ! -s "$f.gnubg" ]; then echo "$name: nothing read"; status=1; continue; fi
    line=$(python3 "$here/tools/matcheck/compare_sgf.py" "$f.gnubg" "$f.mat.truth") || status=1
    echo "$name: $line"
    for pair in $(echo "$line" | head -n1); do
        key=${pair%%=*}
        total[$key]=$(( ${total[$key]:-0} + ${pair#*=} ))
    done
done
# What the games hold.
cat "$out"/*.truth | awk '
    $1 == "S" { setups++; if ($3 != 0) rolled++; if ($5 > 1) turned++; if ($32 + $33 > 0) bar++; if ($34 + $35 > 0) off++ }
    $1 == "D" { doubles++ } $1 == "P" { drops++ } $1 == "X" { resigns++ } $1 == "G" && $6 == 1 { crawford++ }
    $1 == "W" && $4 == 2 { gammons++ } $1 == "W" && $4 == 3 { backgammons++ }
    END { printf "set-ups: %d (%d with their dice, %d with the cube turned, %d with checkers on the bar, %d with checkers off)\n", setups, rolled, turned, bar, off
          printf "games hold %d doubles, %d drops, %d resignations, %d gammons, %d backgammons, %d Crawford games\n", doubles, drops, resigns, gammons, backgammons, crawford }'
echo "total: games=${total[games]} setups=${total[setups]} rolls=${total[rolls]} cube=${total[cube]} jacoby-singles=${total[jacoby-singles]} centred-gammons=${total[centred-gammons]} mismatches=${total[mismatches]}"
[ "${total[mismatches]}" = 0 ] || status=1
exit $status

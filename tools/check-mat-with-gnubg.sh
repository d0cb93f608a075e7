#!/usr/bin/env bash
# Our match files read back by GNU Backgammon (Debian gnubg 1.07): random legal games with the cube,
# drops, resignations, gammons, entries from the bar and bear-offs, a money session and matches to 5
# with their Crawford games, plus computer-against-computer games from lumaro-cli selfplay --record.
# gnubg imports each file (import mat) and writes it back (export match mat); every game's scores,
# dice, board after each play, cube actions and result are compared with what was played.
#   tools/check-mat-with-gnubg.sh [OUT]   (needs: apt-get install gnubg; the build in BUILD or build/)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$here/build}"
out="${1:-/tmp/lumaro-matcheck}"
gnubg="${GNUBG:-/usr/games/gnubg}"
rm -rf "$out"
mkdir -p "$out"
cmake --build "$build" -j2 --target lumaro-matgen lumaro-cli >/dev/null

files=()
"$build/lumaro-matgen" --out "$out/money.mat" --seed 1 --money 60 && files+=("$out/money.mat")
for seed in 1 2 3 4 5 6 7 8; do
    "$build/lumaro-matgen" --out "$out/match5-$seed.mat" --seed "$seed" --match 5 && files+=("$out/match5-$seed.mat")
done
"$build/lumaro-cli" selfplay --games 20 --seed 5 --a 1 --b 1 --threads 1 --record "$out/selfplay.mat" >/dev/null
files+=("$out/selfplay.mat")

status=0
total_games=0 total_rolls=0 total_cube=0 total_bad=0
for f in "${files[@]}"; do
    rm -f "$f.back"
    printf 'import mat %s\nexport match mat %s.back\n' "$f" "$f" | "$gnubg" -t -q >"$f.log" 2>&1 || true
    if grep -qiE "illegal|invalid|error|cannot|unknown|warning" "$f.log"; then
        echo "$(basename "$f"): gnubg complained:"; grep -iE "illegal|invalid|error|cannot|unknown|warning" "$f.log" | head -5
        status=1
    fi
    if [ ! -s "$f.back" ]; then echo "$(basename "$f"): nothing read back"; status=1; continue; fi
    truth="$f.truth"
    [ -f "$truth" ] || truth="$f"  # selfplay --record: its own file is the account
    line=$(python3 "$here/tools/matcheck/compare_mat.py" "$f.back" "$truth") || status=1
    echo "$(basename "$f"): $line"
    set -- $(echo "$line" | head -n1 | tr '=' ' ')
    total_games=$((total_games + $2)); total_rolls=$((total_rolls + $4)); total_cube=$((total_cube + $6)); total_bad=$((total_bad + $8))
done
# What the games hold: doubles, drops, resignations, gammons, entries from the bar, bear-offs.
cat "$out"/*.truth | awk '
    $1 == "D" { doubles++ } $1 == "P" { drops++ } $1 == "X" { resigns++ }
    $1 == "G" && $6 == 1 { crawford++ }
    $1 == "W" && $4 == 2 { gammons++ } $1 == "W" && $4 == 3 { backgammons++ } $1 == "R" { rolls++ }
    END { printf "random games: %d rolls, %d doubles, %d drops, %d resignations, %d gammons, %d backgammons, %d Crawford games\n", rolls, doubles, drops, resigns, gammons, backgammons, crawford }'
grep -ho "25/[0-9]*" "$out"/*.mat | wc -l | xargs printf "entries from the bar: %s\n"
grep -ho "[0-9]*/0\b" "$out"/*.mat | wc -l | xargs printf "checkers borne off: %s\n"
grep -ho "Wins [0-9]*" "$out"/*.mat | awk '{ n[$2]++ } END { for (p in n) printf "results of %s points: %d\n", p, n[p] }' | sort -n -k3
echo "total: games=$total_games rolls=$total_rolls cube=$total_cube mismatches=$total_bad"
exit $status

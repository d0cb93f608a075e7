#!/usr/bin/env bash
# The Master's cube decisions (lumaro-cli cube) against GNU Backgammon's at 2-ply (its `hint` on the
# cube), on positions from real games: every k-th position of the strength harness's logged games,
# each under a money or match cube situation from a fixed cycle. Prints the agreement, the table of
# decisions both ways and the worst disagreements by gnubg's equities.
#   tools/check-cube-with-gnubg.sh [LOG.jsonl ...] [--count N] [--plies P] [--jobs J] [--out DIR]
#                                  [--reuse EARLIER_OUT]
# LOG.jsonl: the harness's games with their moves (run.sh ... --log FILE --log-moves). Without one,
# 60 games of the Master at depth 1 against gnubg 0-ply are played first (seed 4411; HARNESS names
# the harness's folder, default ../shared/harness beside the checkout).
# Needs: apt-get install gnubg; the build in BUILD or build/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$here/build}"
out=""
logs=()
rest=()
while [ $# -gt 0 ]; do
    case "$1" in
        --out) out="$2"; shift 2 ;;
        --count|--plies|--jobs|--worst|--reuse) rest+=("$1" "$2"); shift 2 ;;
        *) logs+=("$1"); shift ;;
    esac
done
cmake --build "$build" -j2 --target lumaro-cli >/dev/null
# A folder of this run's own unless told: two users (or two runs) never share one.
if [ -z "$out" ]; then out="$(mktemp -d "${TMPDIR:-/tmp}/lumaro-cubecheck.XXXXXX")"; else mkdir -p "$out"; fi
echo "working in $out" >&2
harness="${HARNESS:-$here/../shared/harness}"
if [ ${#logs[@]} -eq 0 ]; then
    : >"$out/empty.ini"
    LUMARO_CLI="$build/lumaro-cli" MASTER_DEPTH=1 "$harness/run.sh" "$here/tools/master-engine.sh" "$out/empty.ini" \
        60 4411 --jobs 2 --log "$out/games.jsonl" --log-moves >"$out/games.txt"
    logs=("$out/games.jsonl")
fi
HARNESS="$harness" python3 "$here/tools/cubecheck/check_cube.py" "${logs[@]}" --cli "$build/lumaro-cli" \
    --out "$out" "${rest[@]}"

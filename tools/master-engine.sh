#!/usr/bin/env bash
# lumaro-cli playing every roll as the Master, for the strength harness, which calls:
# ENGINE choose GAME.sav --settings INI [--nets DIR]. LUMARO_CLI names the program (default:
# build/lumaro-cli of this checkout); MASTER_DEPTH is 1 or 2 (default 2). The bear-off table is
# read from the file the build writes beside the program, so a move costs no more than its search.
here=$(cd "$(dirname "$0")" && pwd)
# The Master reads no settings file: the harness's (which may be empty) is left out.
args=()
while [ $# -gt 0 ]; do
    if [ "$1" = "--settings" ] && [ $# -ge 2 ]; then shift 2; continue; fi
    args+=("$1"); shift
done
exec "${LUMARO_CLI:-$here/../build/lumaro-cli}" "${args[@]}" --master --depth "${MASTER_DEPTH:-2}"

#!/bin/sh
# lumaro-cli playing every roll as the Master, for the strength harness, which calls:
# ENGINE choose GAME.sav --settings INI [--nets DIR]. LUMARO_CLI names the program (default:
# build/lumaro-cli of this checkout); MASTER_DEPTH is 1 or 2 (default 2). The bear-off table is
# read from the file the build writes beside the program, so a move costs no more than its search.
here=$(cd "$(dirname "$0")" && pwd)
exec "${LUMARO_CLI:-$here/../build/lumaro-cli}" "$@" --master --depth "${MASTER_DEPTH:-2}"

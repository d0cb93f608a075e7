#!/bin/sh
# lumaro-cli playing every roll by the hint's ranking instead of level 3's own choice, for the
# strength harness, which calls: ENGINE choose GAME.sav --settings INI [--nets DIR].
# LUMARO_CLI names the program (default: build/lumaro-cli of this checkout); HINT_DEPTH is 0 or 1
# (default 1). Depth 0 plays exactly as level 3.
here=$(cd "$(dirname "$0")" && pwd)
exec "${LUMARO_CLI:-$here/../build/lumaro-cli}" "$@" --hint-depth "${HINT_DEPTH:-1}"

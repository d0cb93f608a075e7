#!/usr/bin/env bash
# The installed program under Xvfb, as a player who just installed it: PROGRAM (default
# /usr/games/lumaro) starts with a fresh home folder, shows the board, and at EXIT writes its settings
# into that home's configuration folder, since it may not write beside itself. Screenshots go to OUT
# (default /tmp/lumaro-installed).
set -euo pipefail
out="${1:-/tmp/lumaro-installed}"
export PROGRAM="${PROGRAM:-/usr/games/lumaro}"
export HOME="$(mktemp -d /tmp/lumaro-home.XXXXXX)"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_DOCUMENTS_DIR
export SETTINGS_FILE="$HOME/.config/lumaro2/lm2.ini"
source "$(dirname "$0")/xvfb-session.sh"
shot 01-installed-start
no_button 2                  # no game: the board as it starts
shot 02-board
menu $HELP 2                 # the help pages come from the installed files
shot 03-help
tool $TOOL_CLOSE 1
menu $EXIT 1                 # no game on: straight to the farewell
sleep 12
if [ -s "$SETTINGS_FILE" ]; then
    echo "settings saved in the user's folder: $SETTINGS_FILE ($(stat -c %s "$SETTINGS_FILE") bytes)"
else
    echo "no settings in $SETTINGS_FILE" >&2
    exit 1
fi
if ls "$(dirname "$PROGRAM")"/lm2.ini 2>/dev/null; then echo "lm2.ini written beside the program" >&2; exit 1; fi
rm -rf "$HOME"

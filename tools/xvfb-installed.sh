#!/usr/bin/env bash
# The installed program under Xvfb, as a player who just installed it: PROGRAM (default
# /usr/games/lumaro, or a command line such as a menu entry's) starts with a fresh home folder, plays
# a few turns, shows the help pages, and at EXIT writes its settings into that home's configuration
# folder, since it may not write beside itself. Screenshots go to OUT (default /tmp/lumaro-installed).
set -euo pipefail
out="${1:-/tmp/lumaro-installed}"
export PROGRAM="${PROGRAM:-/usr/games/lumaro}"
program_path="$(command -v "$PROGRAM")"
export HOME="$(mktemp -d /tmp/lumaro-home.XXXXXX)"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_DOCUMENTS_DIR
export SETTINGS_FILE="$HOME/.config/lumaro2/lm2.ini"
source "$(dirname "$0")/xvfb-session.sh"
shot 01-installed-start
yes_button 3                 # the first game
for turn in 1 2 3; do
    click 457 540 1 1; click 288 540 3 1; click 300 300 1 4; click 300 300 1 2
done
shot 02-board-after-three-turns
menu $HELP 2                 # the help pages come from the installed files
shot 03-help
tool $TOOL_CLOSE 1
menu $EXIT 1                 # the game on: the resign question first
yes_button 12                # lost, booked, and the farewell
kill -0 "$app" 2>/dev/null && { echo "the program still runs after EXIT" >&2; exit 1; }
if [ -s "$SETTINGS_FILE" ]; then
    echo "settings saved in the user's folder: $SETTINGS_FILE ($(stat -c %s "$SETTINGS_FILE") bytes)"
else
    echo "no settings in $SETTINGS_FILE" >&2
    exit 1
fi
if ls "$(dirname "$program_path")"/lm2.ini 2>/dev/null; then echo "lm2.ini written beside the program" >&2; exit 1; fi
rm -rf "$HOME"

#!/usr/bin/env bash
# The settings, statistics and help windows and saved games in the real program under Xvfb, as a
# player uses them: TUNE (level 3, the Modern skin, both clocks), a game of a few turns, STAT, SAVE,
# EXIT, a new start, LOAD, and every help page. Screenshots go to OUT (default /tmp/lumaro-windows).
set -euo pipefail
out="${1:-/tmp/lumaro-windows}"
source "$(dirname "$0")/xvfb-session.sh"
saved="$build/xvfb-windows.sav"
rm -f "$saved"
no_button 2                  # no game yet: the computer's level can change only between games
menu $TUNE 2
shot 01-settings
tool 583 146                 # Level 3 - Expert
tool 486 253                 # Modern
tool 411 382                 # Local time
tool 411 401                 # Game duration
shot 02-settings-changed
tool $TOOL_CLOSE 2
shot 03-modern-board-and-clocks
menu $START 1
yes_button 3
for turn in 1 2 3 4; do
    click 457 540 1 1; click 288 540 3 1; click 300 300 1 4; click 300 300 1 2
done
shot 04-after-four-turns
menu $STAT 2
shot 05-statistics
tool $TOOL_CLOSE 1
menu $SAVE 2
shot 06-save-dialog
xdotool type --delay 50 "xvfb-windows"
xdotool key Return
sleep 1
menu $EXIT 1                 # resign the game, then farewell
yes_button 1
sleep 12
launch                       # a new start with the settings the first one saved
shot 07-restarted
no_button 2
menu $LOAD 2
shot 08-load-dialog
xdotool type --delay 50 "xvfb-windows.sav"
xdotool key Return
sleep 3
shot 09-loaded
menu $HELP 2
shot 10-help-intro
page=0
for x in 176 280 384 496; do  # Rules, Menu, Tune, Neural Net
    page=$((page + 1))
    tool "$x" 93
    shot "1$page-help-page-$page"
done
tool $TOOL_CLOSE 1
od -An -tu1 -j32 -N1 "$build/lm2.ini" | awk '{print "modernSkin=" $1}'
od -An -tu1 -j42 -N2 "$build/lm2.ini" | awk '{print "clocks=" $1 " " $2}'
od -An -tu1 -j49 -N1 "$build/lm2.ini" | awk '{print "computerLevel=" $1}'
ls -l "$saved"

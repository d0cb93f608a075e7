#!/usr/bin/env bash
# An impatient player under Xvfb: resigns a game with ABORT, and while the result box is still up
# reaches for the menu at the board's left edge and clicks where START would be, clicks the board
# and types M, D and Backspace.
# The game must be booked once: the single-game totals written to lm2.ini at EXIT show one game
# won by Black. Screenshots go to OUT (default /tmp/lumaro-impatient).
set -euo pipefail
out="${1:-/tmp/lumaro-impatient}"
source "$(dirname "$0")/xvfb-session.sh"
shot 01-opening-question
yes_button 3
shot 02-game-started
menu $ABORT 1
shot 03-resign-question
yes_button 0.5
shot 04-result-box
xdotool mousemove $((bx + 5)) $((by + 200))  # the left edge: no menu slides in while the box is up
sleep 0.5
click 24 42 1 0.2       # where START would be
click 120 200 1 0.2     # a board click, away from the box
click 457 540 1 0.2     # a checker
xdotool key --window "$window" m d BackSpace
sleep 0.3
shot 05-after-impatience
sleep 7                 # the result box times out; nothing else may have happened
shot 06-after-the-box
menu $EXIT 1            # no game on: no question, straight to the farewell
sleep 8
# Single-game totals: Black's points at 19, White's at 23 (4 bytes), Black's games at 27, White's at 29.
od -An -tu4 -j19 -N8 "$build/lm2.ini" | awk '{print "points black=" $1 " white=" $2}'
od -An -tu2 -j27 -N4 "$build/lm2.ini" | awk '{print "games black=" $1 " white=" $2}'

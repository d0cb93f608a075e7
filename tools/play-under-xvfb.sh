#!/usr/bin/env bash
# Plays the real program under a virtual X display as a person would: answers the opening
# question, moves checkers with real mouse clicks at board coordinates, lets the computer reply,
# opens the statistics and help windows, and saves screenshots along the way into OUT (default
# /tmp/lumaro-shots).
# Needs Debian's xvfb, xdotool and imagemagick. SETTINGS=FILE starts it with that lm2.ini instead
# of the defaults (for instance one that sets the computer to level 3).
set -euo pipefail
out="${1:-/tmp/lumaro-shots}"
source "$(dirname "$0")/xvfb-session.sh"
shot 01-opening-question
click 398 320 1 3  # YES on the new-game question (the button at 360..437, 304..337)
shot 02-game-started
# Up to six turns: click White's checkers on the bottom right (points 6 and 8 as numbered for
# White) with the left and right button, then click the dice to end the turn and let Black move.
for turn in 1 2 3 4 5 6; do
    click 457 540 1 1   # a checker on the 6-point stack, higher die
    click 288 540 3 1   # a checker on the 8-point stack, lower die
    click 300 300 1 1   # end of the turn (between the rows)
    sleep 3             # the computer's roll and play
    shot "$(printf '%02d' $((turn + 2)))-after-turn-$turn"
    click 300 300 1 2   # the next click rolls White's dice
done
shot 20-after-six-turns
menu 240 2      # SIDE: both home boards to the left
shot 21-side-flipped
menu 261 2      # COLOR: the next checker colours
shot 22-new-colours
menu 282 1      # SCORE
shot 23-score-box
sleep 6
# STAT and HELP.
menu 385 2      # STAT
shot 23a-statistics
tool 682 32     # CLOSE
menu 449 2      # HELP: the introduction first
shot 23b-help-intro
page=0
for x in 176 280 384 496; do  # Rules, Menu, Tune, Neural Net
    page=$((page + 1))
    tool "$x" 93
    shot "23c-help-page-$page"
done
tool 682 32     # CLOSE
menu 491 1      # EXIT: the resign question first
shot 24-resign-question
click 398 320 1 1  # YES: the game is lost, scored, and the program says farewell
shot 25-result
sleep 8
shot 26-farewell

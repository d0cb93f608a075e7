#!/usr/bin/env bash
# Plays the real program under a virtual X display as a person would: answers the opening
# question, moves checkers with real mouse clicks at board coordinates, lets the computer reply,
# opens the statistics and help windows, and saves screenshots along the way into OUT (default
# /tmp/lumaro-shots).
# Needs Debian's xvfb, xdotool and imagemagick. SETTINGS=FILE starts it with that lm2.ini instead
# of the defaults (for instance one that sets the computer to level 3).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$here/build}"
out="${1:-/tmp/lumaro-shots}"
display=":97"
mkdir -p "$out"
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY="$display"
# A fresh settings file (level 1, the computer opponent, Roll-dice start), or SETTINGS=FILE's.
rm -f "$build/lm2.ini"
if [ -n "${SETTINGS:-}" ]; then cp "$SETTINGS" "$build/lm2.ini"; fi
"$build/lumaro" &
app=$!
sleep 6
shot() { import -window root "$out/$1.png"; echo "screenshot $out/$1.png"; }
window=$(xdotool search --name '^LM2$' | head -n1)
origin=$(xdotool getwindowgeometry "$window" | awk '/Position/ {print $2}')
bx=${origin%,*}
by=${origin#*,}
click() {  # board coordinates, button (1 left, 3 right)
    xdotool mousemove $((bx + $1)) $((by + $2)) click "${3:-1}"
    sleep "${4:-1}"
}
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
# The menu panel: Esc docks it at the board's corner; its items sit at x 2..47 of the panel.
menu() {  # item top within the panel
    xdotool key --window "$window" Escape
    sleep 0.5
    xdotool mousemove $((bx + 24)) $((by + $1 + 10)) click 1
    sleep "${2:-1}"
}
menu 240 2      # SIDE: both home boards to the left
shot 21-side-flipped
menu 261 2      # COLOR: the next checker colours
shot 22-new-colours
menu 282 1      # SCORE
shot 23-score-box
sleep 6
# STAT and HELP: the tool windows are 758 x 600, centred on the screen, CLOSE at the top right.
screen=$(xdotool getdisplaygeometry)
tx=$(( (${screen% *} - 758) / 2 )); ty=$(( (${screen#* } - 600) / 2 ))
tool() { xdotool mousemove $((tx + $1)) $((ty + $2)) click 1; sleep "${3:-1}"; }
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
menu 470 1      # EXIT: the resign question first
shot 24-resign-question
click 398 320 1 1  # YES: the game is lost, scored, and the program says farewell
shot 25-result
sleep 8
shot 26-farewell

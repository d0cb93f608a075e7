#!/usr/bin/env bash
# Clicks and keys that come late or at the wrong moment, in the real program under Xvfb:
#   LOAD, YES to the resign question, then a file that is no saved game: the game and the scores stay;
#   LOAD of a good game (Black to move): the resignation is booked and the computer plays at once;
#   a click where YES was, the moment the SCORE box closes by itself: no double, the cube stays centred;
#   a double click on CLOSE of STAT: the dice are not rolled;
#   Esc answers NO to the resign question, Enter answers YES and closes the result box;
#   a double click on YES, and Enter twice, answer the question and leave the result box shown.
# lm2.ini at EXIT then books four games for Black (the LOAD, the Enter, the double click and the
# Enter twice). Screenshots go to OUT (default /tmp/lumaro-late-clicks).
set -euo pipefail
out="${1:-/tmp/lumaro-late-clicks}"
source "$(dirname "$0")/xvfb-session.sh"
bad="$build/xvfb-late-bad.sav"
good="$build/xvfb-late-good.sav"
# One byte too many for a saved game.
head -c 59 /dev/zero >"$bad"
# The starting position with Black to play 3-1, the cube centred: 24 counts, 24 colours, then the
# dice, the turn, the borne-off and bar counts, the cube, its owner and the cube option.
python3 - "$good" <<'PY'
import sys
count = [0] * 24; colour = [0] * 24
for p, n, c in [(1, 2, 1), (12, 5, 1), (17, 3, 1), (19, 5, 1), (24, 2, 0), (13, 5, 0), (8, 3, 0), (6, 5, 0)]:
    count[p - 1], colour[p - 1] = n, c
open(sys.argv[1], "wb").write(bytes(count + colour + [3, 1, 0, 0, 0, 0, 0, 1, 0, 1]))
PY
# A fingerprint of the strip of the board where the message box's title band lies.
box_strip() { import -window root -crop 300x12+$((bx + 250))+$((by + 212)) rgb:- | md5sum; }
yes_button 3                       # the first game
shot 01-game-on
menu $LOAD 1
yes_button 1                       # "Do you want to resign?" YES
xdotool type --delay 40 "$bad"
xdotool key Return
sleep 1
shot 02-bad-file-refused           # the reason, over the game as it was
sleep 6
menu $SCORE 1
shot 03-score-unchanged            # still no game booked
sleep 6
menu $LOAD 1
yes_button 1
xdotool type --delay 40 "$good"
xdotool key Return
sleep 1
shot 04-resignation-booked
sleep 7                            # the result box, then the loaded game: the computer plays 3-1
shot 05-white-to-roll
board_strip=$(box_strip)
menu $SCORE 4
# The SCORE box runs out by itself (50 ticks of 107 ms); the moment it has gone the player clicks
# where YES would be (a click half a second later is the player's own, and would double).
for i in $(seq 200); do [ "$(box_strip)" = "$board_strip" ] && break; done
closed_at=$(date +%s.%N)
click 398 320 1 0
echo "a click where YES was, $(echo "$(date +%s.%N) - $closed_at" | bc) s after the box was seen gone"
sleep 1
shot 06-cube-still-centred
sleep 2
shot 07-no-double-question
menu $STAT 2
xdotool mousemove $((tx + 682)) $((ty + 32)) click --repeat 2 --delay 90 1  # CLOSE, double-clicked
sleep 1
shot 08-no-roll-after-close
menu $ABORT 1
xdotool key --window "$window" Escape  # NO to "Do you want to resign?"
sleep 1
shot 09-escape-said-no
menu $ABORT 1
xdotool key --window "$window" Return  # YES
sleep 1
shot 10-result-box
# The box's title band left of its countdown: the same over any board while a box is up.
box_band() { import -window root -crop 230x12+$((bx + 250))+$((by + 212)) rgb:- | md5sum; }
box_print=$(box_band)
xdotool key --window "$window" Return  # closes the result box
sleep 1
shot 11-result-closed
# The result opens straight after the question: the second click of a double click on YES, and a
# second Enter, come too soon to answer it.
box_shown() { [ "$(box_band)" = "$box_print" ] && echo shown || echo GONE; }
menu $START 1
yes_button 3                       # "Start a new game?" YES
menu $ABORT 1
xdotool mousemove $((bx + 398)) $((by + 320)) click --repeat 2 --delay 90 1
sleep 1
echo "the result box after a double click on YES: $(box_shown)"
shot 12-result-after-double-click
xdotool key --window "$window" Return  # a second later Enter closes it
sleep 1
menu $START 1
yes_button 3
menu $ABORT 1
xdotool key --window "$window" --delay 90 Return Return
sleep 1
echo "the result box after Enter twice: $(box_shown)"
shot 13-result-after-enter-twice
xdotool key --window "$window" Return
sleep 1
menu $EXIT 1
sleep 8
od -An -tu2 -j27 -N4 "$build/lm2.ini" | awk '{print "games black=" $1 " white=" $2}'
rm -f "$bad" "$good"

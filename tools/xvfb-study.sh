#!/usr/bin/env bash
# The study keys and the kept game in the real program under a virtual display: H shows the hint
# and P plays its first play, HINT in the menu shows it again, R reviews the game so far (Right
# steps, C turns to the computer's decisions, a click does nothing, R ends); Ctrl+C shows and
# copies the IDs of the turn's start, a pasted text that is no ID is refused with its reason,
# Ctrl+V of the copied IDs (after the resign question) plays on from that turn's start, and with
# "Keep game at EXIT" on, EXIT keeps the game and the next start offers to continue it.
# Needs Debian's xvfb, xdotool, imagemagick and xclip. Screenshots go to OUT (default
# /tmp/lumaro-study-shots).
set -euo pipefail
out="${1:-/tmp/lumaro-study-shots}"
config="$(mktemp -d)"
export XDG_CONFIG_HOME="$config"   # the window's own settings: keep the game at EXIT
mkdir -p "$config/lumaro2"
printf '[General]\nkeepGameAtExit=true\nshowLastMove=true\n' > "$config/lumaro2/display.ini"
source "$(dirname "$0")/xvfb-session.sh"
rm -f "$build/kept-game.lm2" "$build"/kept-game.lm2.broken*
clipboard() { xclip -selection clipboard -o 2>/dev/null || true; }

yes_button 3                      # the opening question: a new game
shot 01-game-started
xdotool key --window "$window" h  # the hint: the best plays of the roll, the first one marked
sleep 1
shot 01a-hint
xdotool key --window "$window" p  # the first play made
sleep 3
shot 01b-hint-played
click 300 300 1 4                 # end of the turn: the computer plays
click 300 300 1 2                 # White's roll
menu $HINT 2
shot 01c-hint-from-the-menu
xdotool key --window "$window" h  # H again hides it
sleep 1
shot 01d-hint-hidden
xdotool key --window "$window" r  # the review of the game so far: the first decision
sleep 4
shot 01e-review-first
xdotool key --window "$window" Right
sleep 1
shot 01f-review-next
xdotool key --window "$window" c  # the computer's decisions
sleep 3
shot 01g-review-computer
click 457 540 1 1                 # a click does nothing while the review holds the board
xdotool key --window "$window" r  # the end: the board as the game stands
sleep 1
shot 01h-review-ended
xdotool key --window "$window" ctrl+c
sleep 1
shot 02-ids-copied
copied="$(clipboard)"
echo "copied: $copied"
case "$copied" in "Position ID: "*"Match ID: "*) ;; *) echo "no IDs on the clipboard"; exit 1 ;; esac
click 398 320 1 1                 # the notice closes
sleep 1

printf 'not an id' | xclip -selection clipboard
xdotool key --window "$window" ctrl+v
sleep 1
shot 03-paste-refused
click 398 320 1 2

# A step or two on the board, then the copied IDs again: resign (YES), the turn's start comes back.
click 457 540 1 1
click 288 540 3 1
shot 04-after-steps
printf '%s' "$copied" | xclip -selection clipboard
xdotool key --window "$window" ctrl+v
sleep 1
shot 05-paste-resign-question
yes_button 4
shot 06-pasted-game
sleep 2
xdotool key --window "$window" ctrl+c
sleep 1
again="$(clipboard)"
click 398 320 1 1
echo "after the paste: $again"

# EXIT keeps the game: no question, and the file is there.
menu $EXIT 1
sleep 6
shot 07-after-exit
[ -f "$build/kept-game.lm2" ] || { echo "no kept game after EXIT"; exit 1; }
kill $app 2>/dev/null || true
sleep 1
launch
sleep 2
shot 08-continue-question
yes_button 3
shot 09-kept-game-continued
[ -f "$build/kept-game.lm2" ] && { echo "the kept game is still there after continuing"; exit 1; }
xdotool key --window "$window" ctrl+c
sleep 1
echo "continued: $(clipboard)"
shot 10-continued-ids
click 398 320 1 1
menu $TUNE 2
shot 11-settings-keep-game
rm -rf "$config"
echo "done"

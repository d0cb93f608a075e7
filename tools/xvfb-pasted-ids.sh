#!/usr/bin/env bash
# Pasted IDs in the real program under a virtual display: Ctrl+V during a game asks to resign and
# names what that costs; GNU Backgammon's IDs of a 7-point match at White 2, Black 4 ask to start
# that match, wait for White's roll with the hint before it, come back whole from Ctrl+C and show
# in SCORE; a money game's match ID asks to leave the match; and with Black on the bar against a
# closed board the computer dances, after which H gives the cube advice and D offers the double.
# Needs Debian's xvfb, xdotool, imagemagick and xclip. Screenshots go to OUT (default
# /tmp/lumaro-pasted-ids-shots).
set -euo pipefail
out="${1:-/tmp/lumaro-pasted-ids-shots}"
config="$(mktemp -d)"
export XDG_CONFIG_HOME="$config"
source "$(dirname "$0")/xvfb-session.sh"
clipboard() { xclip -selection clipboard -o 2>/dev/null || true; }
paste_text() { printf '%s' "$1" | xclip -selection clipboard; xdotool key --window "$window" ctrl+v; sleep 1.5; }
match_ids="$(printf 'Position ID: 4HPwATDgc/ABMA\nMatch ID: cAngAEAAEAAE')"

yes_button 3                      # the opening question: a new game
paste_text "4HPwATDgc/ABMA"
shot 01-ctrl-v-resign-question    # "Black wins: backgammon, cube x1, 3 p."
no_button 2
paste_text "$match_ids"
shot 02-new-match-question        # "Start a new 7-point match?" "White 2, Black 4"
yes_button 2
shot 03-resign-question
yes_button 2
click 398 320 1 2                 # the result box closes
shot 04-match-waits-for-the-roll
xdotool key --window "$window" h
sleep 3
shot 05-hint-before-the-roll
xdotool key --window "$window" h
sleep 1
xdotool key --window "$window" ctrl+c
sleep 1.5
copied="$(clipboard)"
click 398 320 1 1
[ "$copied" = "$match_ids" ] || { echo "Ctrl+C gave '$copied' after pasting '$match_ids'"; exit 1; }
echo "Ctrl+C gives the pasted match back: $(echo "$copied" | tr '\n' ' ')"
menu $SCORE 2
shot 06-score-of-the-pasted-match
click 398 320 1 2
# Black on the bar against White's closed board, Black to roll, in a money game (gnubg's IDs).
paste_text "27YBBwDg8+ADQA:MAEAAAAAAAAA"
shot 07-leave-the-match-question
yes_button 2
shot 08-resign-question-in-the-match
yes_button 2
click 398 320 1 6                 # the result box closes; the computer rolls and dances
shot 09-after-the-dance
xdotool key --window "$window" h
sleep 3
shot 10-hint-after-the-dance
xdotool key --window "$window" h
sleep 1
xdotool key --window "$window" d
sleep 2
shot 11-double-after-the-dance
rm -rf "$config"
echo "done"

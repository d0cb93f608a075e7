#!/usr/bin/env bash
# The study plate in the real program under a virtual display, with a 20-character player name:
# over the whole screen the hint's plays and cube advice, MOVE played until the computer doubles
# (when it does within a dozen turns), H on its question and NO (the plate goes with the box), and
# the review of the game; then in a 560 x 420 window the hint and the review again. Needs Debian's xvfb, xdotool and imagemagick.
# Screenshots go to OUT (default /tmp/lumaro-study-plate); look at them: every line of the plate
# whole, the bar, the cube and the box's title in sight, the review's cube, dice and pip counts
# those of its decision.
set -euo pipefail
out="${1:-/tmp/lumaro-study-plate}"
config="$(mktemp -d)"
export XDG_CONFIG_HOME="$config"
mkdir -p "$config/lumaro2"
# Questions wait for the answer: the computer's double stays up while the hint is asked for.
printf '[General]\nquestionsWait=true\nshowLastMove=true\n' >"$config/lumaro2/display.ini"
# lm2.ini with every default and the longest name: 53 bytes of options and scores, then the name
# and the remote address, each a length byte and its characters.
settings="$config/lm2.ini"
python3 - "$settings" <<'EOF'
import sys
fixed = bytes.fromhex('0a00010101010101000003000000000000000000000000000000000000000000000101010101000100010000000000000001000000')
name = b'Bartholomew Fitzroy!'
open(sys.argv[1], 'wb').write(fixed + bytes([len(name)]) + name + b'\x00')
EOF
export SETTINGS="$settings"
source "$(dirname "$0")/xvfb-session.sh"
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$config"' EXIT
key() { xdotool key --window "$window" "$1"; sleep "${2:-2}"; }
# Whether the message box is up: its picture panel is dark blue where the board is green felt.
box_up() {
    import -window root "$config/probe.png"
    [ "$(convert "$config/probe.png" -crop 80x90+$((bx + 240))+$((by + 240)) +repage \
        -format '%[fx:mean.b > mean.g ? 1 : 0]' info:)" = 1 ]
}

yes_button 3
key h
shot 01-hint
key h 1
click 300 300 1 1
for turn in $(seq 1 12); do
    box_up && break
    key m 3                        # White's roll played by MOVE
    click 300 300 1 6              # the turn ends: the computer may double, then plays
    box_up && break
    if [ "$turn" -le 2 ]; then key h; shot "02-before-roll-$turn"; key h 1; fi
    click 300 300 1 2              # White rolls
done
if box_up; then
    key h 3
    shot 03-hint-on-the-double
    no_button 4
    shot 04-after-no-the-result
    click 300 300 1 2
else
    # The computer doubles only in a close race early on: with this game's dice it did not.
    echo "the computer did not double in this game; run again for its question"
fi
key r 6
shot 05-review-first
key Right
shot 06-review-next
key c 6
shot 07-review-black
key r
kill $app 2>/dev/null || true
sleep 1

# In a window of 560 x 420.
printf '[General]\nplayInWindow=true\nquestionsWait=true\n' >"$config/lumaro2/display.ini"
WINDOW_NAME='^Lumaro 2'
launch
xdotool windowmove "$window" 0 0 windowsize "$window" 560 420
sleep 1
origin=$(xdotool getwindowgeometry "$window" | awk '/Position/ {print $2}')
bx=${origin%,*}
by=${origin#*,}
# The board at 0.7 of its size in the window's corner.
click $((398 * 7 / 10)) $((320 * 7 / 10)) 1 3   # YES: a new game
key m 3                                          # White's first roll, when White begins
click 210 210 1 6                                # the turn ends, or White rolls
click 210 210 1 2                                # White rolls
key h
shot 08-window-hint
key h 1
key m 3
click 210 210 1 6
key r 6
shot 09-window-review
echo "done: $out"

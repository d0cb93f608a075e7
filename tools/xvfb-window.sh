#!/usr/bin/env bash
# Plays in a window under a virtual X display: the game starts in its own window (the option kept
# in a fresh configuration folder), is played with clicks at the scaled board's places at two window
# sizes, shows a question with its countdown in a small window, opens the statistics over the
# window, turns the option off in the settings (back over the whole screen) and on again, and says
# farewell. Screenshots go to OUT (default /tmp/lumaro-window); every check that fails stops it.
set -euo pipefail
out="${1:-/tmp/lumaro-window}"
config="$(mktemp -d /tmp/lumaro-window-config.XXXXXX)"
export XDG_CONFIG_HOME="$config"
mkdir -p "$config/lumaro2"
printf '[General]\nplayInWindow=true\n' >"$config/lumaro2/display.ini"
WINDOW_NAME='^Lumaro 2' source "$(dirname "$0")/xvfb-session.sh"
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$config"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The window's place and the board's scale in it, read again after every change of size.
measure() {
    local geometry
    geometry=$(xdotool getwindowgeometry "$window")
    read -r wx wy < <(echo "$geometry" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
    read -r ww wh < <(echo "$geometry" | awk '/Geometry/ {split($2, s, "x"); print s[1], s[2]}')
}
resize() { xdotool windowmove "$window" 0 0 windowsize "$window" "$1" "$2"; sleep 1; measure; echo "window ${ww}x${wh} at $wx,$wy"; }
# Board coordinates to the screen: the board scaled to fit, centred.
at() {
    awk -v x="$1" -v y="$2" -v wx="$wx" -v wy="$wy" -v w="$ww" -v h="$wh" 'BEGIN {
        s = w / 800 < h / 600 ? w / 800 : h / 600
        printf "%d %d", wx + (w - 800 * s) / 2 + (x + 0.5) * s, wy + (h - 600 * s) / 2 + (y + 0.5) * s }'
}
click() { xdotool mousemove $(at "$1" "$2") click "${3:-1}"; sleep "${4:-1}"; }
menu() { xdotool key --window "$window" Escape; sleep 0.5; click 24 $(($1 + 10)) 1 "${2:-1}"; }
shown() { xdotool search --onlyvisible --name "$1" >/dev/null; }

measure
shown '^LM2$' && fail "the full-screen board is on the screen as well as the window"
[ "${ww}x${wh}" = 800x600 ] || fail "the window opened at ${ww}x${wh}, not at the board's own size"
shot 01-window-800x600-question
click 398 320 1 3            # YES: the first game
resize 1016 762
shot 02-window-1016x762
for turn in 1 2; do          # White's checkers clicked at their scaled places, as in full screen
    click 457 540 1 1
    click 288 540 3 1
    click 300 300 1 3
    click 300 300 1 2
done
shot 03-window-1016x762-played
resize 320 240               # too small for its texts to be read: the window grows back
[ "${ww}x${wh}" = 480x360 ] || fail "the window stayed at ${ww}x${wh}, below its smallest legible size 480x360"
shot 03b-window-smallest
resize 560 420
menu $START 1                # during a game START asks to resign, with its countdown
shot 04-window-560x420-question-countdown
click 490 320 1 1            # NO
menu $STAT 2
stat=$(xdotool search --onlyvisible --name '^Statistics$' | head -n1)
[ -n "$stat" ] || fail "STAT opened no window"
read -r sx sy < <(xdotool getwindowgeometry "$stat" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
# Centred over the window, and kept on the screen.
read -r dw dh < <(xdotool getdisplaygeometry)
want_x=$((wx + ww / 2 - 379)); want_x=$((want_x < 0 ? 0 : want_x > dw - 758 ? dw - 758 : want_x))
want_y=$((wy + wh / 2 - 300)); want_y=$((want_y < 0 ? 0 : want_y > dh - 600 ? dh - 600 : want_y))
echo "statistics at $sx,$sy; expected about $want_x,$want_y"
[ $((sx - want_x)) -ge -2 ] && [ $((sx - want_x)) -le 2 ] && [ $((sy - want_y)) -ge -2 ] && [ $((sy - want_y)) -le 2 ] \
    || fail "the statistics are not centred over the window"
shot 05-statistics-over-window
xdotool mousemove $((sx + 682)) $((sy + 32)) click 1; sleep 1
# TUNE: the option off, CLOSE: back over the whole screen.
menu $TUNE 2
tune=$(xdotool search --onlyvisible --name '^Settings$' | head -n1)
read -r tx ty < <(xdotool getwindowgeometry "$tune" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
xdotool mousemove $((tx + 404)) $((ty + 492)) click 1; sleep 0.5   # Play in a window
xdotool mousemove $((tx + 682)) $((ty + 32)) click 1; sleep 2      # CLOSE
shown '^LM2$' || fail "the board is not over the whole screen after the option was turned off"
shot 06-full-screen-again
grep -q 'playInWindow=false' "$config/lumaro2/display.ini" || fail "the option was not kept"
# And back into the window, at the size it had.
fullscreen=$(xdotool search --onlyvisible --name '^LM2$' | head -n1)
read -r bx by < <(xdotool getwindowgeometry "$fullscreen" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
xdotool key --window "$fullscreen" Escape; sleep 0.5
xdotool mousemove $((bx + 24)) $((by + TUNE + 10)) click 1; sleep 2
tune=$(xdotool search --onlyvisible --name '^Settings$' | head -n1)
read -r tx ty < <(xdotool getwindowgeometry "$tune" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
xdotool mousemove $((tx + 404)) $((ty + 492)) click 1; sleep 0.5
xdotool mousemove $((tx + 682)) $((ty + 32)) click 1; sleep 2
window=$(xdotool search --onlyvisible --name '^Lumaro 2' | head -n1)
measure
[ "${ww}x${wh}" = 560x420 ] || fail "the window came back at ${ww}x${wh}, not at 560x420"
shown '^LM2$' && fail "the full-screen board stayed on the screen"
shot 07-window-again
menu $EXIT 1
shot 08-resign-question
click 398 320 1 4            # YES: lost, and farewell
shot 09-farewell
sleep 4
kill -0 "$app" 2>/dev/null && fail "the program is still running after EXIT"
echo "window mode: all checks passed"

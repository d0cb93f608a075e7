# Shared by the Xvfb scripts: starts the real program on a virtual display and gives the helpers
# that act as a player. Source it after setting `out` (screenshot folder); DISPLAY_NUMBER picks the
# display (default 97), SETTINGS=FILE starts with that lm2.ini instead of the defaults, PROGRAM=PATH
# starts that program (an installed one) instead of the build's; SETTINGS_FILE is where it keeps
# lm2.ini (beside the build's program unless told); WINDOW_NAME is the name of the window that shows
# the board (default: the full-screen board's, LM2).
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD:-$here/build}"
display=":${DISPLAY_NUMBER:-97}"
mkdir -p "$out"
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY="$display"
program="${PROGRAM:-$build/lumaro}"
settings_file="${SETTINGS_FILE:-$build/lm2.ini}"
rm -f "$settings_file"
if [ -n "${SETTINGS:-}" ]; then mkdir -p "$(dirname "$settings_file")"; cp "$SETTINGS" "$settings_file"; fi
shot() { import -window root "$out/$1.png"; echo "screenshot $out/$1.png"; }
# Starts the program (again, after an EXIT: the settings it wrote stay) and finds the board.
launch() {
    "$program" &
    app=$!
    sleep 6
    window=$(xdotool search --onlyvisible --name "${WINDOW_NAME:-^LM2\$}" | head -n1)
    origin=$(xdotool getwindowgeometry "$window" | awk '/Position/ {print $2}')
    bx=${origin%,*}
    by=${origin#*,}
}
launch
click() {  # board coordinates, button (1 left, 3 right), pause afterwards
    xdotool mousemove $((bx + $1)) $((by + $2)) click "${3:-1}"
    sleep "${4:-1}"
}
# The menu panel: Esc docks it at the board's corner; its items sit at x 2..47 of the panel.
menu() {  # item top within the panel, pause afterwards
    xdotool key --window "$window" Escape
    sleep 0.5
    xdotool mousemove $((bx + 24)) $((by + $1 + 10)) click 1
    sleep "${2:-1}"
}
yes_button() { click 398 320 1 "${1:-1}"; }  # YES of a question (the button at 360..437, 304..337)
no_button() { click 490 320 1 "${1:-1}"; }   # NO (452..529, 304..337)
# The settings, statistics and help windows: 758 x 600, centred on the screen, CLOSE at the top right.
screen=$(xdotool getdisplaygeometry)
tx=$(( (${screen% *} - 758) / 2 )); ty=$(( (${screen#* } - 600) / 2 ))
tool() { xdotool mousemove $((tx + $1)) $((ty + $2)) click 1; sleep "${3:-1}"; }
TOOL_CLOSE="682 32"
# Item tops within the menu panel.
START=32 LOAD=53 SAVE=74 BACK=136 MOVE=157 ABORT=178 SIDE=240 COLOR=261 SCORE=282 HIDE=344 TUNE=364 STAT=385 HELP=449 HINT=470 EXIT=491

#!/usr/bin/env bash
# Two copies of the real program play a network game against each other on two virtual displays:
# the host (folder host/, display :83) listens by its lm2.ini (Opponent Human, Place Network, Listen
# ticked); the caller (folder caller/, display :84) calls 127.0.0.1 through its settings window.
# The caller invites, both play by clicks (a click rolls or ends the turn, the M key moves), each
# sends a chat line, and screenshots of both screens go to OUT (default /tmp/lumaro-net-shots).
# Needs Debian's xvfb, xdotool and imagemagick, and a built program in build/ (or BUILD=...).
# CALLER_IN_WINDOW=1 has the caller play in a window (800 x 600, where its board would be).
set -euo pipefail
out="${1:-/tmp/lumaro-net-shots}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD:-$here/build}"
work="${WORK:-/tmp/lumaro-net-folders}"
minutes="${MINUTES:-15}"   # at most; the loop stops when the game is over
mkdir -p "$out"
rm -rf "$work"
mkdir -p "$work/host/config/lumaro2" "$work/caller/config/lumaro2"
# Each player's own options of the window too (a configuration folder each).
[ -n "${CALLER_IN_WINDOW:-}" ] && printf '[General]\nplayInWindow=true\n' >"$work/caller/config/lumaro2/display.ini"

# Each copy runs from its own folder, as if installed twice: the program, its assets and weights.
for side in host caller; do
    cp "$build/lumaro" "$work/$side/"
    ln -s "$build/assets" "$work/$side/assets"
    for f in nn1.bin nn2.bin; do [ -f "$build/$f" ] && ln -s "$build/$f" "$work/$side/$f"; done
    cp "$build"/*.htm "$work/$side/" 2>/dev/null || true
done

# lm2.ini: options in file order, the score totals, then the name and the address to call.
write_settings() {  # folder name listen
    python3 - "$1/lm2.ini" "$2" "$3" <<'PY'
import struct, sys
path, name, listen = sys.argv[1], sys.argv[2].encode(), int(sys.argv[3])
b = struct.pack('<H', 16)                       # checker speed: fast
b += bytes([1, 1, 1, 1, 1, 1, 0, 0, 3])         # colours, home right, dots, numbers, cube, crawford, jacoby, match, points
b += struct.pack('<HHHHIIHH', 0, 0, 0, 0, 0, 0, 0, 0)
b += bytes([0, 0, 1, 1, 1, 1, 0])               # alternate, skin, colours, net, borne off, pips, sound
b += bytes([1, 0, listen, 1, 1, 1, 1, 0])       # human, local place = no (network), listen, automatic dice,
                                                # local time, game duration, chat key, autohide
b += bytes([0, 0, 0, 1, 0, 0, 0])               # sliders, level, always accepted, no backgammon, slow
b += bytes([len(name)]) + name
addr = b'127.0.0.1'
b += bytes([len(addr)]) + addr
open(path, 'wb').write(b)
PY
}
write_settings "$work/host" Bert 1
write_settings "$work/caller" Anna 0

declare -A display=([host]="${HOST_DISPLAY:-:83}" [caller]="${CALLER_DISPLAY:-:84}")
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT
for side in host caller; do
    Xvfb "${display[$side]}" -screen 0 1024x768x24 >/dev/null 2>&1 &
    pids+=($!)
done
sleep 1
for side in host caller; do
    (cd "$work/$side" && DISPLAY="${display[$side]}" XDG_CONFIG_HOME="$work/$side/config" ./lumaro >"$work/$side.log" 2>&1) &
    pids+=($!)
    sleep 1
done
sleep 7

declare -A bx by
for side in host caller; do
    export DISPLAY="${display[$side]}"
    window=$(xdotool search --onlyvisible --name '^LM2$' | head -n1 || true)
    [ -n "$window" ] || window=$(xdotool search --onlyvisible --name '^Lumaro 2' | head -n1)
    origin=$(xdotool getwindowgeometry "$window" | awk '/Position/ {print $2}')
    bx[$side]=${origin%,*}
    by[$side]=${origin#*,}
done
on() { export DISPLAY="${display[$1]}"; }
shot() { on "$1"; import -window root "$out/$2-$1.png" && echo "screenshot $out/$2-$1.png" || echo "no screenshot $2-$1"; }
click() {  # side x y (board coordinates) [button]
    on "$1"
    xdotool mousemove $((${bx[$1]} + $2)) $((${by[$1]} + $3)) click "${4:-1}"
}
key() { on "$1"; xdotool key "$2"; }
menu() {  # side item-top
    on "$1"
    # Esc closes a box that is up (a result, say) and docks the menu when none is: twice, so the
    # menu is there either way.
    xdotool key Escape
    sleep 0.6
    xdotool key Escape
    sleep 0.6
    xdotool mousemove $((${bx[$1]} + 24)) $((${by[$1]} + $2 + 10)) click 1
}
START=32 TUNE=364 EXIT=491
# The first START by itself says "You have to be connected": wait it out.
sleep 6
shot host 01-listening
shot caller 01-not-connected

# The caller opens the settings (TUNE) and presses Call: the address comes from its lm2.ini.
menu caller $TUNE
sleep 2
shot caller 02-settings
on caller
screen=$(xdotool getdisplaygeometry)
tx=$(( (${screen% *} - 758) / 2 )); ty=$(( (${screen#* } - 600) / 2 ))
call_x=64 call_y=341   # "Call" in the Connection box
xdotool mousemove $((tx + call_x)) $((ty + call_y)) click 1
sleep 3
shot caller 03-connected
shot host 03-connected
on caller
xdotool mousemove $((tx + 682)) $((ty + 32)) click 1   # CLOSE
sleep 1

# START on the caller: names, the invitation ("Play with Anna" on the host, YES by its time-out).
menu caller $START
sleep 4
shot caller 04-inviting
shot host 04-invitation
sleep 12
shot caller 05-game-started
shot host 05-game-started

# The game: on each side a click between the rows rolls when it is that player's roll and ends
# the turn once the roll is played; M plays the roll. Clicks at other moments are refused.
# The game clock on the caller's backdrop runs while a game is on and stands still once it is over.
last_clock=""
game_over() {
    on caller
    # In a window the game clock is in the title, and only while a game is on.
    if [ -n "${CALLER_IN_WINDOW:-}" ]; then
        ! xdotool search --onlyvisible --name '^Lumaro 2.*Game' >/dev/null
        return
    fi
    local now
    now=$(import -window root -crop 90x20+678+716 png:- | md5sum)
    [ "$now" = "$last_clock" ] && return 0
    last_clock=$now
    return 1
}
end=$((SECONDS + minutes * 60))
round=0
while [ $SECONDS -lt $end ]; do
    round=$((round + 1))
    for side in caller host; do
        click "$side" 300 300
        sleep 1.2
        key "$side" m
        sleep 1.5
        click "$side" 300 300
        sleep 1.2
    done
    if [ $((round % 10)) -eq 0 ]; then
        shot caller "$(printf '06-round-%03d' $round)"
        shot host "$(printf '06-round-%03d' $round)"
    fi
    if [ $round -eq 3 ]; then
        # A chat line each way: C opens the fields, the line is typed and sent with Enter.
        key caller c; sleep 0.5; on caller; xdotool type --delay 40 "good luck Bert"; xdotool key Return
        sleep 2
        shot host 07-chat-received
        # The host's fields opened with the line and the typing line has the keyboard already.
        on host; xdotool type --delay 40 "thanks Anna"; xdotool key Return
        sleep 2
        shot caller 07-chat-received
        click caller 300 300; click host 300 300   # focus back on the boards
    fi
    if [ $round -gt 3 ] && game_over; then
        echo "the game is over after $round rounds"
        break
    fi
done
shot caller 08-end
shot host 08-end

# EXIT on both: "Disconnect and exit?" on the caller (YES), and the settings files are written
# with the games each side booked.
menu caller $EXIT; sleep 1; shot caller 09-exit-question; click caller 398 320; sleep 6
menu host $EXIT; sleep 1; click host 398 320; sleep 6
for side in caller host; do
    python3 - "$work/$side/lm2.ini" "$side" <<'PY'
import struct, sys
b = open(sys.argv[1], 'rb').read()
bp, wp, bg, wg = struct.unpack_from('<IIHH', b, 19)
print(f"{sys.argv[2]}: games won white {wg} black {bg}, points white {wp} black {bp}")
PY
    echo "chat.txt of the $side:"; cat -A "$work/$side/chat.txt" || true
done

#!/usr/bin/env bash
# The player's own files under Xvfb, where a faulty program would lose them or write where it must not:
#   1. the program in a folder whose name is not UTF-8 (a Latin-1 "é"): it reads the lm2.ini beside it
#      (the Modern skin, a name with an accent, seven games won) and the help pages, and writes
#      nothing outside its folder;
#   2. an lm2.ini its player may not read (mode 000; the program runs as `nobody`): the defaults are
#      used, and after CLOSE of the settings and EXIT the file is still the same, byte for byte.
# Needs root (for `nobody`), Debian's xvfb, xdotool and imagemagick. Screenshots go to OUT
# (default /tmp/lumaro-own-files).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$here/build}"
out="${1:-/tmp/lumaro-own-files}"
rm -rf "$out"; mkdir -p "$out"
display=":${DISPLAY_NUMBER:-95}"
Xvfb "$display" -ac -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; pkill -f "lumaro-own-files-program" 2>/dev/null || true' EXIT
sleep 1
export DISPLAY="$display"

# A copy of the program with its files, in `folder`.
install_copy() {
    mkdir -p "$1"
    cp "$build/lumaro" "$1/lumaro-own-files-program"
    cp "$build"/nn1.bin "$build"/nn2.bin "$build"/*.htm "$1/"
    cp -r "$build/assets" "$1/"
}
# lm2.ini with the defaults but the Modern skin, seven single games won by White and `name` (Latin-1).
write_settings() {
    python3 - "$1" "$2" <<'PY'
import struct, sys
fields = struct.pack("<HBBBBBBBBB", 10, 1, 1, 1, 1, 1, 1, 0, 0, 3) + bytes(8) + struct.pack("<IIHH", 0, 0, 0, 7)
fields += bytes([0, 1, 1, 1, 1, 1, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0])
name = sys.argv[2].encode("latin-1")
open(sys.argv[1], "wb").write(fields + bytes([len(name)]) + name + bytes([0]))
PY
}
shot() { import -window root "$out/$1.png"; echo "screenshot $out/$1.png"; }
# Starts `program` as `user` with `home`, answers NO to the first game, shows SCORE and TUNE, EXITs.
play() {
    local program="$1" user="$2" home="$3" name="$4"
    mkdir -p "$home"; chown "$user" "$home"
    ( cd / && setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups env HOME="$home" "$program" \
        2>"$out/$name-stderr.txt" ) &
    sleep 6
    local window origin bx by
    window=$(xdotool search --name '^LM2$' | head -n1)
    origin=$(xdotool getwindowgeometry "$window" | awk '/Position/ {print $2}')
    bx=${origin%,*}; by=${origin#*,}
    xdotool mousemove $((bx + 490)) $((by + 320)) click 1; sleep 1   # NO: no game
    xdotool key --window "$window" Escape; sleep 0.5
    xdotool mousemove $((bx + 24)) $((by + 292)) click 1; sleep 1    # SCORE
    shot "$name-score"
    sleep 6
    xdotool key --window "$window" Escape; sleep 0.5
    xdotool mousemove $((bx + 24)) $((by + 374)) click 1; sleep 2    # TUNE
    shot "$name-settings"
    local screen tx ty
    screen=$(xdotool getdisplaygeometry)
    tx=$(( (${screen% *} - 758) / 2 )); ty=$(( (${screen#* } - 600) / 2 ))
    xdotool mousemove $((tx + 682)) $((ty + 32)) click 1; sleep 1    # CLOSE: saves the settings
    xdotool key --window "$window" Escape; sleep 0.5
    xdotool mousemove $((bx + 24)) $((by + 459)) click 1; sleep 2    # HELP: the pages beside it
    shot "$name-help"
    xdotool mousemove $((tx + 682)) $((ty + 32)) click 1; sleep 1
    xdotool key --window "$window" Escape; sleep 0.5
    xdotool mousemove $((bx + 24)) $((by + 480)) click 1; sleep 8    # EXIT
}

echo "== 1. a folder named with a byte that is not UTF-8"
odd=$(printf '/tmp/lumaro-caf\xe9')
rm -rf "$odd" /tmp/lumaro-own-home
install_copy "$odd"
write_settings "$odd/lm2.ini" "Café Olé"
before_root=$(ls -A / | md5sum)
play "$odd/lumaro-own-files-program" root /tmp/lumaro-own-home odd-folder
echo "name in lm2.ini after EXIT: $(od -An -c -j54 -N8 "$odd/lm2.ini" | tr -s ' ')"
[ "$(ls -A / | md5sum)" = "$before_root" ] && echo "nothing new at the root of the file system"
echo "in the folder: $(ls -A "$odd" | tr '\n' ' ')"
echo "in the home folder: $(cd /tmp/lumaro-own-home && find . -type f | tr '\n' ' ')"
rm -rf "$odd"

echo "== 2. an lm2.ini its player may not read"
plain=/tmp/lumaro-unreadable
rm -rf "$plain" /tmp/lumaro-nobody-home
install_copy "$plain"
write_settings "$plain/lm2.ini" "Kept"
chown -R nobody "$plain"
chmod 000 "$plain/lm2.ini"
sum=$(md5sum <"$plain/lm2.ini")
play "$plain/lumaro-own-files-program" nobody /tmp/lumaro-nobody-home unreadable
cat "$out/unreadable-stderr.txt" | grep lumaro: || true
[ "$(md5sum <"$plain/lm2.ini")" = "$sum" ] && echo "lm2.ini is byte for byte as it was" || echo "lm2.ini CHANGED"
stat -c 'mode %a, %s bytes' "$plain/lm2.ini"
rm -rf "$plain"

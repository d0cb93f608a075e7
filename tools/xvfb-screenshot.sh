#!/usr/bin/env bash
# The screenshot the software centres show (the AppStream metadata's): the build's game under Xvfb,
# a first game started with its opening roll, the board window alone. Writes OUT (default
# docs/screenshots/board.png); publish it where assets/lumaro2.metainfo.xml.in's <image> points.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
target="$(realpath -m "${1:-$here/docs/screenshots/board.png}")"
out="$(mktemp -d /tmp/lumaro-screenshot.XXXXXX)"
source "$here/tools/xvfb-session.sh"
sleep 10                     # the first game starts by itself and the opening roll is played out
xdotool mousemove 0 0        # no pointer over the board
import -window "$window" "$target"
echo "screenshot $target ($(identify -format '%wx%h' "$target"))"
menu $EXIT 1
rm -rf "$out"

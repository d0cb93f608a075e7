#!/usr/bin/env bash
# The package as a player meets it, run as root on a machine where it is not installed: installs DEB
# (default: the one `make package` built) with apt-get, starts the game the way the desktop's menu
# does (the Exec line of the installed menu entry) under Xvfb as an ordinary user with a fresh home,
# plays a few turns and EXITs (tools/xvfb-installed.sh), then purges the package and checks that
# nothing it brought is left in /usr. On the way it asks the desktop's tools (xdg-mime, gio) what a
# saved game is, as that user. Needs Debian's xvfb, xdotool, imagemagick, xdg-utils and
# libglib2.0-bin.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
deb="$(realpath "${1:-$(ls "$here"/build/lumaro2_*.deb 2>/dev/null | head -n1)}")"
[ -f "$deb" ] || { echo "no package: run make package first" >&2; exit 2; }
[ "$(id -u)" = 0 ] || { echo "run as root: it installs and removes the package" >&2; exit 2; }
dpkg -s lumaro2 >/dev/null 2>&1 && { echo "lumaro2 is installed already: remove it first" >&2; exit 2; }
player=lumaro-player
work="$(mktemp -d /tmp/lumaro-package-check.XXXXXX)"
chmod 755 "$work"
# Where a session leaves the user's files outside the home: the runtime folder (/tmp/runtime-USER
# without XDG_RUNTIME_DIR) and the sound server's sockets and cookies. The screenshots stay.
scratch_roots=(/tmp /var/tmp /dev/shm /run)
files_of() {  # user name or uid
    { find "${scratch_roots[@]}" -xdev -path "$work" -prune -o -user "$1" -print 2>/dev/null || true; } | sort
}
remove_players_files() {
    id -u "$player" >/dev/null 2>&1 || return 0
    files_of "$player" | while read -r path; do rm -rf "$path"; done
    userdel -r "$player" >/dev/null 2>&1 || true
}
cleanup() {
    dpkg -s lumaro2 >/dev/null 2>&1 && apt-get purge -y -q lumaro2 >/dev/null 2>&1
    remove_players_files
}
trap cleanup EXIT
id -u "$player" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$player"
player_uid="$(id -u "$player")"
install -d -o "$player" "$work/shots"
echo "files of $player outside its home before: $(files_of "$player" | wc -l)"

find /usr | sort >"$work/usr-before"
apt-get install -y -q "$deb" >"$work/install.log"
dpkg -L lumaro2 | sort >"$work/package-files"
# A saved game is the game's type for the desktop, not the SPSS data files' that also end in .sav.
saved="$work/check.sav"
head -c 58 "$here/tests/fuzz/corpus/SavedGameFuzz/start-black-31-level1.sav" >"$saved"
chmod 644 "$saved"
/usr/games/lumaro-cli info "$saved" >/dev/null
for ask in "xdg-mime query filetype" "gio info -a standard::content-type"; do
    said="$(runuser -u "$player" -- env -i HOME="/home/$player" PATH=/usr/bin:/bin $ask "$saved")"
    if ! grep -q "application/x-lumaro2-saved-game" <<<"$said"; then
        echo "FAILED: $ask says a saved game is: $said" >&2
        exit 1
    fi
    echo "ok: $ask: application/x-lumaro2-saved-game"
done
entry=/usr/share/applications/lumaro2.desktop
[ -f "$entry" ] || { echo "FAILED: no menu entry $entry" >&2; exit 1; }
# The command the menu runs: the Exec line without its field codes. The user's PATH lacks the games
# folders, as many desktops' sessions do: the entry must name the program by its full path.
command="$(sed -n 's/^Exec=//p' "$entry" | head -n1 | sed 's/ *%[fFuUdDnNickvm]//g')"
echo "menu entry runs: $command"
runuser -u "$player" -- env -i HOME="/home/$player" USER="$player" LANG=C.UTF-8 \
    PATH=/usr/local/bin:/usr/bin:/bin \
    PROGRAM="$command" DISPLAY_NUMBER="${DISPLAY_NUMBER:-98}" \
    "$here/tools/xvfb-installed.sh" "$work/shots"
chown -R root: "$work/shots"  # the screenshots stay, as the check's and not the player's
echo "screenshots in $work/shots"

apt-get purge -y -q lumaro2 >"$work/remove.log"
find /usr | sort >"$work/usr-after"
left=0
while read -r path; do
    [ -e "$path" ] || continue
    grep -qxF "$path" "$work/usr-before" && continue  # there before the package came (/usr/share, say)
    echo "left in /usr after purge: $path" >&2
    left=1
done <"$work/package-files"
# Anything new in /usr that no installed package owns (a dependency apt pulled in owns its files).
comm -13 "$work/usr-before" "$work/usr-after" | while read -r path; do
    dpkg -S "$path" >/dev/null 2>&1 || echo "new in /usr, owned by no package: $path" >&2
done | tee "$work/strays" >&2
[ -s "$work/strays" ] && left=1
# The player's session files, listed, then gone with the player.
echo "files of $player outside its home after playing:"
files_of "$player" | sed 's/^/  /'
remove_players_files
if [ -n "$(files_of "$player_uid")" ] || [ -e "/home/$player" ]; then
    echo "left after removing $player:" >&2
    files_of "$player_uid" >&2
    left=1
else
    echo "ok: nothing of $player (uid $player_uid) left in ${scratch_roots[*]} or /home"
fi
[ "$left" = 0 ] && echo "ok: installed, played from the menu entry as $player, purged; nothing left in /usr"
exit $left

#!/usr/bin/env bash
# The packager's check of the Debian package: lintian with no error and no warning (pedantic tags
# and infos are shown, not counted), the menu entry by desktop-file-validate, the software centres'
# metadata by appstreamcli (without the network: the screenshot's address is checked for its form,
# not fetched) and the manual pages by man's own warnings, all as they are inside the package.
# DEB defaults to the one `make package` builds. Needs: apt-get install lintian desktop-file-utils
# appstream man-db.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
deb="${1:-$(ls "$here"/build/lumaro2_*.deb 2>/dev/null | head -n1)}"
[ -f "$deb" ] || { echo "no package: run make package first" >&2; exit 2; }
tree="$(mktemp -d /tmp/lumaro-package.XXXXXX)"
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
failed=0
check() {  # name, command...
    local name="$1"; shift
    if "$@"; then echo "ok: $name"; else echo "FAILED: $name" >&2; failed=1; fi
}

check "lintian $(basename "$deb")" lintian --fail-on error,warning --display-info "$deb"
check "desktop-file-validate" desktop-file-validate "$tree"/usr/share/applications/*.desktop
check "appstreamcli validate" appstreamcli validate --no-net --pedantic "$tree"/usr/share/metainfo/*.metainfo.xml
for page in "$tree"/usr/share/man/man6/*.6.gz; do
    # man prints groff's warnings on stderr and nothing else when the page is clean.
    warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)"
    check "man $(basename "$page")" test -z "$warnings"
    [ -z "$warnings" ] || echo "$warnings" >&2
done
for program in "$tree"/usr/games/*; do
    check "manual page for $(basename "$program")" test -f "$tree/usr/share/man/man6/$(basename "$program").6.gz"
done
exit $failed

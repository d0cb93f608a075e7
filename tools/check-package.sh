#!/usr/bin/env bash
# The packager's check of the Debian package: lintian with no error and no warning (its pedantic
# tags and infos are shown, not counted, except that a missing hardening flag fails), programs
# without the compilers' notes, the menu entry by desktop-file-validate, the software centres'
# metadata by appstreamcli (without the network: the screenshot's address is checked for its form,
# not fetched) and the manual pages by man's own warnings, all as they are inside the package. Then
# it builds the package a second time in build-repro/ beside the first build folder and compares
# the two byte for byte. DEB defaults to the one `make package` builds; it must be `make package`'s
# from this checkout. Needs: apt-get install lintian desktop-file-utils appstream man-db binutils.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
deb="${1:-$(ls "$here"/build/lumaro2_*.deb 2>/dev/null | head -n1)}"
[ -f "$deb" ] || { echo "no package: run make package first" >&2; exit 2; }
tree="$(mktemp -d /tmp/lumaro-package.XXXXXX)"
trap 'rm -rf "$tree" "$tree".*' EXIT
dpkg-deb -x "$deb" "$tree"
failed=0
check() {  # name, command...
    local name="$1"; shift
    if "$@"; then echo "ok: $name"; else echo "FAILED: $name" >&2; failed=1; fi
}

lintian_says() {
    lintian --pedantic --display-info --fail-on error,warning "$deb" | tee "$tree.lintian" || return 1
    ! grep -q "hardening-no-" "$tree.lintian"
}
check "lintian --pedantic -I $(basename "$deb")" lintian_says
for program in "$tree"/usr/games/*; do
    check "no .comment section in $(basename "$program")" \
        sh -c "! readelf -S -W '$program' | grep -qF ' .comment '"
done
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

# The same commit built again in a second build folder of the same build type (quick with ccache):
# every byte of the package must come out the same. That build folder sits beside
# the first, at the same depth below the sources, since the programs' debugging information (and so
# their build ids) names the sources relative to it.
first_build="$(cd "$(dirname "$deb")" && pwd)"
build_type="$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$first_build/CMakeCache.txt" 2>/dev/null)"
second_build="$here/build-repro"
if cmake -S "$here" -B "$second_build" -DCMAKE_BUILD_TYPE="${build_type:-RelWithDebInfo}" >"$tree.rebuild" 2>&1 &&
   make -C "$here" package BUILD_DIR="$second_build" >>"$tree.rebuild" 2>&1; then
    again="$second_build/$(basename "$deb")"
    if cmp "$deb" "$again"; then
        echo "ok: reproducible: $again is the same, byte for byte"
    else
        echo "FAILED: reproducible: $again differs from $deb (both make package of this commit?)" >&2
        mkdir "$tree.again"
        dpkg-deb -x "$again" "$tree.again"
        diff <(dpkg-deb --fsys-tarfile "$deb" | tar -tv --full-time) \
             <(dpkg-deb --fsys-tarfile "$again" | tar -tv --full-time) >&2 || true
        diff -r "$tree" "$tree.again" >&2 || true
        failed=1
    fi
else
    tail -n 20 "$tree.rebuild" >&2
    echo "FAILED: reproducible: the second build in $second_build failed" >&2
    failed=1
fi
exit $failed

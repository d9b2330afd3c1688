#!/usr/bin/env bash
# Builds the Debian package from a configured build tree, unpacks it into a temporary root
# and checks what it installs and depends on; then starts the unpacked program.
# usage: check-package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/*.deb)
dpkg-deb -x "$deb" "$work/root"

id=example.prince_trials.PrinceTrials
expected=(
    usr/bin/prince-trials
    "usr/share/applications/$id.desktop"
    "usr/share/metainfo/$id.metainfo.xml"
)
for size in 16 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
    [ -f "$work/root/$file" ] || fail "the package lacks /$file"
done
[ -x "$work/root/usr/bin/prince-trials" ] || fail "the program is not executable"
extra=$(cd "$work/root" && find . -type f | sed 's|^\./||' | sort | grep -vxF -f <(printf '%s\n' "${expected[@]}") || true)
[ -z "$extra" ] || fail "unexpected files in the package: $extra"

[ "$(dpkg-deb -f "$deb" Package)" = prince-trials ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 1.00 ] || fail "version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no description"

/usr/bin/python3 "$src/tests/realprogram.py" window "$work/root/usr/bin/prince-trials" >/dev/null
echo "package: 1 passed, 0 failed"

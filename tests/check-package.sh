#!/usr/bin/env bash
# Builds the Debian package from a configured build tree (or takes the one given), checks it
# with lintian, unpacks it into a temporary root and checks what it installs and depends on;
# then starts the unpacked program.
# usage: check-package.sh BUILD_DIR SOURCE_DIR PYTHON [PACKAGE.deb]
set -euo pipefail
build=$1
src=$2
python=$3
deb=${4:-}
packed() { sed -n "s/^set($1 \"\(.*\)\")$/\1/p" "$build/CPackConfig.cmake"; }
version=$(packed CPACK_PACKAGE_VERSION)
icon_sizes=$(packed CPACK_PRINCE_ICON_SIZES | tr ';' ' ')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ -z "$deb" ]; then
    cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" || { cat "$work/cpack.log"; fail "cpack"; }
    deb=$(ls "$work"/out/*.deb)
fi
[ -n "$icon_sizes" ] || fail "no icon sizes in $build/CPackConfig.cmake"
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian"; }
dpkg-deb -x "$deb" "$work/root"

id=example.prince_trials.PrinceTrials
expected=(
    usr/bin/prince-trials
    "usr/share/applications/$id.desktop"
    "usr/share/metainfo/$id.metainfo.xml"
    usr/share/doc/prince-trials/copyright
    usr/share/doc/prince-trials/changelog.gz
    usr/share/man/man1/prince-trials.1.gz
)
for size in $icon_sizes; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
    [ -f "$work/root/$file" ] || fail "the package lacks /$file"
done
program=$work/root/usr/bin/prince-trials
[ -x "$program" ] || fail "the program is not executable"
readelf -S "$program" | grep -q '\.comment' && fail "the program has a .comment section"
readelf -d "$program" | grep -q 'BIND_NOW' || fail "the program is not linked with -z now"
readelf -lW "$program" | grep -q 'GNU_RELRO' || fail "the program is not linked with -z relro"
extra=$(cd "$work/root" && find . -type f | sed 's|^\./||' | sort | grep -vxF -f <(printf '%s\n' "${expected[@]}") || true)
[ -z "$extra" ] || fail "unexpected files in the package: $extra"

[ "$(dpkg-deb -f "$deb" Package)" = prince-trials ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2 qt6-translations-l10n; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no description"

"$python" "$src/tests/realprogram.py" window "$program" >"$work/run.log" 2>&1 ||
    { cat "$work/run.log"; fail "the unpacked program"; }
echo "ok: the package passes lintian, holds its files with their fields and linking, and its program starts"

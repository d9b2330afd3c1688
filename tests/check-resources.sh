#!/usr/bin/env bash
# The platform files: the Windows resource script compiles and its version record reads
# back with the project's version; the desktop entry and AppStream data validate.
# usage: check-resources.sh SOURCE_DIR RESOURCES_BUILD_DIR VERSION VERSION_TEXT
#   e.g. check-resources.sh . build/dev/resources 1.0.0 1.00
set -euo pipefail
src=$1
built=$2
IFS=. read -r major minor patch <<<"$3"
text=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

i686-w64-mingw32-windres --preprocessor=cpp -D_WIN32 -DRC_INVOKED \
    -I/usr/share/mingw-w64/include -I"$built" \
    "$built/prince-trials.rc" -O res -o "$work/program.res"
i686-w64-mingw32-windres -i "$work/program.res" -o "$work/back.rc"

grep -q "FILEVERSION $major, $minor, $patch, 0" "$work/back.rc" || fail "file version"
grep -q "PRODUCTVERSION $major, $minor, $patch, 0" "$work/back.rc" || fail "product version"
grep -q 'FILETYPE 0x1$' "$work/back.rc" || fail "file type is not an application"
grep -q 'BLOCK "040904B0"' "$work/back.rc" || fail "string table block"
grep -q 'VALUE "Translation", 0x409, 1200' "$work/back.rc" || fail "translation"
grep -q "VALUE \"FileVersion\", \"$text\"" "$work/back.rc" || fail "FileVersion"
grep -q "VALUE \"ProductVersion\", \"$text\"" "$work/back.rc" || fail "ProductVersion"
entries=$(sed -n '/BLOCK "040904B0"/,/END/p' "$work/back.rc" | grep -c 'VALUE "')
[ "$entries" -eq 8 ] || fail "the string table has $entries entries, not 8"
for key in CompanyName LegalCopyright LegalTrademarks ProductName InternalName OriginalFilename; do
    grep -q "VALUE \"$key\", \"[^\"]" "$work/back.rc" || fail "$key is missing or empty"
done
grep -q 'RT_ICON' "$work/back.rc" || fail "no icon in the resources"

id=example.prince_trials.PrinceTrials
desktop-file-validate "$src/resources/$id.desktop"
appstreamcli validate --no-net "$built/$id.metainfo.xml"
grep -q "<release version=\"$text\"" "$built/$id.metainfo.xml" || fail "AppStream release"
echo "resources: 1 passed, 0 failed"

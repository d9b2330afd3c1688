#!/usr/bin/env bash
# Checks that a release is reproducible: builds it twice from `git archive HEAD`, the second
# time in another path, with another time zone, locale and umask, and a minute or more
# later, and compares every file of build/dist/ byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d /tmp/prince-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
first=$work/first
second=$work/elsewhere/a/longer/path/second
mkdir -p "$first" "$second"
git archive HEAD | tar -x -C "$first"
git archive HEAD | tar -x -C "$second"

(cd "$first" && umask 022 && TZ=UTC LC_ALL=C bash scripts/release.sh) >"$work/first.log" 2>&1 ||
    { cat "$work/first.log"; echo "FAIL: the first release" >&2; exit 1; }
(cd "$second" && umask 002 && TZ=XYZ-14 LC_ALL=C.UTF-8 LANG=bg_BG.UTF-8 bash scripts/release.sh) >"$work/second.log" 2>&1 ||
    { cat "$work/second.log"; echo "FAIL: the second release" >&2; exit 1; }

status=0
for name in $( (ls "$first/build/dist"; ls "$second/build/dist") | sort -u); do
    if ! cmp -s "$first/build/dist/$name" "$second/build/dist/$name"; then
        echo "FAIL: $name differs between the two releases, or is in one of them only" >&2
        status=1
    fi
done
[ $status -eq 0 ] || {
    command -v diffoscope >/dev/null && diffoscope "$first/build/dist" "$second/build/dist" | head -100
    exit 1
}
echo "ok: two releases of $(git rev-parse --short HEAD), built apart, are byte-identical:"
sed 's/^/  /' "$first/build/dist/SHA256SUMS"

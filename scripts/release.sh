#!/usr/bin/env bash
# `make release`: builds each deliverable with its optimised preset, gathers them into
# build/dist/ under the version's names, checks those very files (the package as its test
# checks it, a contest in the page in headless Chromium, the .exe's make-up) and only then
# writes SHA256SUMS. A failing step leaves no build/dist/ at all.
set -euo pipefail
cd "$(dirname "$0")/.."
# The package's tool takes the modes of its archive's members from the files it writes: made
# under one umask, as Debian's own build tools make them, whoever builds.
umask 022
python=/usr/bin/python3
dist=build/dist
rm -rf "$dist" "$dist.new"
trap 'rm -rf "$dist.new"' EXIT

# What the release is of: the commit, from git or as `git archive` wrote it into
# scripts/commit.txt, marked -modified where the tree differs from it; and the commit's
# time, which every build takes for "now" (SOURCE_DATE_EPOCH), so that two builds of one
# commit give the same bytes.
read -r commit epoch <scripts/commit.txt
if [[ $commit == *Format* ]]; then
    commit=$(git rev-parse HEAD)
    epoch=$(git log -1 --format=%ct)
    [ -z "$(git status --porcelain)" ] || commit+=-modified
fi
export SOURCE_DATE_EPOCH=$epoch

cmake --workflow --preset package
cmake --workflow --preset windows
cmake --workflow --preset web
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/release/CPackConfig.cmake)
numbers=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)

mkdir -p "$dist.new"
exe=$dist.new/prince-trials-$version.exe
page=$dist.new/prince-trials-$version.html
deb=$dist.new/prince-trials_${version}_amd64.deb
cp build/windows/prince-trials.exe "$exe"
cp "build/release/prince-trials_${version}_amd64.deb" "$deb"
# The page says what it is in its source, after the doctype; its scripts' hashes stay.
sed "1a <!-- prince-trials $version, commit $commit -->" build/web/prince-trials.html >"$page"
"$python" scripts/guide.py README.bg.md "$version" "$commit" "$dist.new/prince-trials-$version-guide.bg.html"
cp LICENSE "$dist.new/LICENSE"

# The checks' own tool, webcheck (the layout table and the contest's checker), in a tree of
# its own.
cmake --preset dev -B build/release-checks >/dev/null
cmake --build build/release-checks --target webcheck >/dev/null
bash tests/check-package.sh build/release . "$python" "$deb"
"$python" tests/webpage.py contest "$page" build/release-checks/tests/webcheck
"$python" tests/wineprogram.py executable "$exe" "$numbers" "$version" build/windows/resources/prince-trials.ico

(cd "$dist.new" && LC_ALL=C sha256sum -- * >SHA256SUMS)
mv "$dist.new" "$dist"
echo
echo "prince-trials $version, commit $commit, in $dist/:"
while read -r sum name; do
    printf '  %-34s %9d bytes  %s\n' "$name" "$(stat -c %s "$dist/$name")" "$sum"
done <"$dist/SHA256SUMS"

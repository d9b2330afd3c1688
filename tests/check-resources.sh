#!/usr/bin/env bash
# The desktop files: the desktop entry and the AppStream data validate, and the AppStream
# release is the project's version. (The Windows version record is read back from the
# executable itself, by the Wine test.)
# usage: check-resources.sh SOURCE_DIR RESOURCES_BUILD_DIR VERSION_TEXT
#   e.g. check-resources.sh . build/dev/resources 1.00
set -euo pipefail
src=$1
built=$2
text=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

id=example.prince_trials.PrinceTrials
desktop-file-validate "$src/resources/$id.desktop"
appstreamcli validate --no-net "$built/$id.metainfo.xml"
grep -q "<release version=\"$text\"" "$built/$id.metainfo.xml" || fail "AppStream release"
echo "ok: the desktop entry and the AppStream data validate, with release $text"

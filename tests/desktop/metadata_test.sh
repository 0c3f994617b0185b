#!/usr/bin/env bash
# The menu entry and the AppStream metadata pass their validators without a
# single remark, and every file that names the version names the project's.
#   metadata_test.sh SOURCE_DIR VERSION
set -uo pipefail
source_dir=$1
version=$2
res=$source_dir/res
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

output=$(desktop-file-validate "$res/velmarin.desktop" 2>&1) || fail "desktop-file-validate failed"
[ -z "$output" ] || fail "desktop-file-validate has remarks: $output"

metainfo=$(ls "$res"/*.metainfo.xml)
# No network here, and the maker's address is not on one.
output=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || fail "appstreamcli validate failed: $output"
echo "$output"

# The file is named after its component, and launches the installed entry.
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "$(basename "$metainfo") is not named after its id $id"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$launchable" = velmarin.desktop ] || fail "launchable is '$launchable', not velmarin.desktop"

# Newest release, manual page header and Debian changelog carry the version.
release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$release" = "$version" ] || fail "metainfo's newest release is $release, the project is $version"
manual=$(sed -n 's/^\.TH .*"Velmarin \([^"]*\)".*/\1/p' "$res/velmarin.1")
[ "$manual" = "$version" ] || fail "the manual page says Velmarin $manual, the project is $version"
changelog=$(dpkg-parsechangelog -l "$res/debian/changelog" -S Version)
[ "$changelog" = "$version" ] || fail "res/debian/changelog's newest entry is $changelog, the project is $version"

if [ "$failures" -ne 0 ]; then exit 1; fi
echo "metadata: desktop entry and AppStream valid, version $version everywhere"

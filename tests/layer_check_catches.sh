#!/usr/bin/env bash
# The layer check must fail on an upward include inside the core: a copy of
# the core where the sky includes the chart, and one where the ephemeris
# includes the almanac.
set -euo pipefail
check=$1
source_root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for case in "sky chart/layers.h" "ephemeris almanac/options.h"; do
  read -r from header <<<"$case"
  rm -rf "$work/tree"
  mkdir -p "$work/tree/tests/core"
  cp -r "$source_root/src" "$work/tree/src"
  echo "#include \"core/$header\"" >>"$work/tree/src/core/$from/upward_probe.cpp"
  if "$check" "$work/tree" 2>/dev/null; then
    echo "the layer check let $from include $header" >&2
    exit 1
  fi
done
# And the unchanged copy passes.
rm -rf "$work/tree/src/core/ephemeris/upward_probe.cpp"
"$check" "$work/tree" >/dev/null
echo "the layer check catches upward includes"

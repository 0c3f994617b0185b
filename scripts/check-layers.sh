#!/usr/bin/env bash
# Fails when a file of the Qt-free core includes a Qt header or a header of
# the Qt face, when the core library's build links Qt, or when a folder of
# the core includes a folder above it. The core's order, lowest first:
#   text < ephemeris < targets < sky < chart < app < almanac
# (a folder may include its own and any folder below it).
# Usage: scripts/check-layers.sh [TREE] (default: this checkout)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "${1:-$here}"
found=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]|qt/|Qt)' src/core tests/core || true)
if [ -n "$found" ]; then
  echo "The core reaches into Qt or the Qt face:" >&2
  echo "$found" >&2
  exit 1
fi
if grep -n 'Qt6::' src/core/CMakeLists.txt >&2; then
  echo "velmarin_core must not link Qt" >&2
  exit 1
fi

layers=(text ephemeris targets sky chart app almanac)
rank_of() {
  local i
  for i in "${!layers[@]}"; do
    if [[ ${layers[$i]} == "$1" ]]; then echo "$i"; return; fi
  done
  echo -1
}
upward=0
for dir in src/core/*/; do
  from=$(basename "$dir")
  from_rank=$(rank_of "$from")
  if [[ $from_rank -lt 0 ]]; then
    echo "src/core/$from is in no layer: add it to scripts/check-layers.sh" >&2
    upward=1
    continue
  fi
  while IFS= read -r hit; do
    [[ -z $hit ]] && continue
    to=$(sed -E 's|.*#[[:space:]]*include[[:space:]]*"core/([^/"]+)/.*|\1|' <<<"$hit")
    to_rank=$(rank_of "$to")
    if [[ $to_rank -gt $from_rank ]]; then
      echo "upward include, $from reaches $to: $hit" >&2
      upward=1
    fi
  done < <(grep -rnE '#[[:space:]]*include[[:space:]]*"core/[^/"]+/' "$dir" || true)
done
if [[ $upward -ne 0 ]]; then
  echo "The core's layers: ${layers[*]} (each includes only its own and those before it)" >&2
  exit 1
fi
echo "core is Qt-free and its layers include only downward"

#!/usr/bin/env bash
# Fails when a file of the Qt-free core includes a Qt header or a header of
# the Qt face, or when the core library's build links Qt.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
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
echo "core is Qt-free"

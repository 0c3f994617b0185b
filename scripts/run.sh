#!/usr/bin/env bash
# Installs what is missing, builds and starts Velmarin. Without a display it
# renders this year's chart to a PNG instead and says where.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/build.sh"
build=${VELMARIN_BUILD_DIR:-$here/build}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  out="$here/velmarin-$(date +%Y).png"
  QT_QPA_PLATFORM=offscreen "$build/velmarin" render --output "$out"
  echo "No display found: rendered this year's chart to $out"
else
  exec "$build/velmarin" "$@"
fi

#!/usr/bin/env bash
# Start-up to the first painted chart and the window's memory, at a chart of
# 1920x1080 pixels in each display mode, on the offscreen platform (no
# display needed). Each run starts velmarin with VELMARIN_FIRST_PAINT_REPORT,
# which ends the program after its first paint and reports the time since
# the process started and VmRSS / VmHWM. Usage:
#   bench/first_paint.sh [BUILD_DIR] [RUNS]        (default: build/, 5 runs)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${VELMARIN_BUILD_DIR:-$here/build}}
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One screen larger than the window, so the saved size is not cut down.
cat >"$work/screen.json" <<JSON
{"screens": [{"name": "bench", "x": 0, "y": 0, "width": 2560, "height": 1600,
              "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}
JSON
export QT_QPA_PLATFORM="offscreen:configfile=$work/screen.json"
export XDG_CONFIG_HOME=$work/config VELMARIN_FIRST_PAINT_REPORT=1
mkdir -p "$XDG_CONFIG_HOME"

# Finds the outer window size that gives the view 1920x1080 (menu and
# toolbar heights depend on fonts and style).
settings() {  # mode width height
  printf '0 0 %d 1 0 1 1\r\n52.000000 9.800000 1.0\r\n%d %d\r\n' "$1" "$2" "$3" >"$XDG_CONFIG_HOME/Velmarin.ini"
}
settings 0 1920 1080
view=$("$build/velmarin" 2>&1 | sed -n 's/.*view=\([0-9]*\)x\([0-9]*\).*/\1 \2/p')
read -r vw vh <<<"$view"
width=$((1920 + 1920 - vw))
height=$((1080 + 1080 - vh))

printf '%-5s %-10s %14s %12s %12s\n' mode view "first paint ms" "VmRSS MB" "VmHWM MB"
for mode in 0 1 2 3; do
  times=() rss=() hwm=() size=""
  for _ in $(seq "$runs"); do
    settings "$mode" "$width" "$height"
    line=$("$build/velmarin" 2>&1 | grep first-paint-ms)
    times+=("$(sed 's/.*first-paint-ms=\([0-9.]*\).*/\1/' <<<"$line")")
    rss+=("$(sed 's/.*VmRSS-kB=\([0-9]*\).*/\1/' <<<"$line")")
    hwm+=("$(sed 's/.*VmHWM-kB=\([0-9]*\).*/\1/' <<<"$line")")
    size=$(sed 's/.*view=\([0-9x]*\).*/\1/' <<<"$line")
  done
  median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
  printf '%-5s %-10s %14s %12.1f %12.1f\n' "$mode" "$size" "$(median "${times[@]}")" \
    "$(echo "$(median "${rss[@]}") / 1024" | bc -l)" "$(echo "$(median "${hwm[@]}") / 1024" | bc -l)"
done

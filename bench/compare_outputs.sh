#!/usr/bin/env bash
# Runs two builds of velmarin over the same almanac and render commands and
# compares their output byte for byte; PNG files whose bytes differ (another
# encoder) count as the same when their decoded pixels, size and resolution
# are. Usage:
#   bench/compare_outputs.sh OLD_VELMARIN NEW_VELMARIN
# Exit status 0 when every output is identical, 1 otherwise.
set -euo pipefail
old=$1
new=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# No settings file: both runs start from the defaults.
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME"

commands=(
  "positions --date 2024-03-20 --time 12:00 --json"
  "positions --jd 2415020.5 --json"
  "phases --year 2024 --json"
  "phases --year 1899 --json"
  "daylight --year 2025 --lat 52 --lon 9.8 --json"
  "daylight --year 2024 --lat -33.9 --lon 151.2 --tz 10 --summer-time off --json"
  "daylight --year 2026 --lat 69.6 --lon 18.9 --json"
)
for mode in normal sun midnight twilight; do
  for size in 1920x1080 1280x960 800x1100; do
    commands+=("render --mode $mode --size $size --year 2025 --lat 47.4 --lon 8.5")
  done
  commands+=("render --mode $mode --size 1280x960 --year 2024 --moon off --grid off --code both")
  commands+=("render --mode $mode --size 1280x960 --year 2023 --code diameter --lat -33.9 --lon 151.2 --tz 10")
  commands+=("render --mode $mode --size 1100x800 --year 2025 --print")
done
# Wide and coded pens at large and odd pages, on screen and in print.
commands+=(
  "render --mode normal --size 3840x2160 --year 2025 --code both"
  "render --mode sun --size 600x1800 --year 2026 --code diameter --print"
  "render --mode midnight --size 2000x700 --year 1850 --code brightness"
  "render --mode normal --size 2400x3200 --year 2031 --code diameter --print"
)
# The twilight chart's overlays: planets' passes with their labels, moonlit
# night; landscape, portrait, odd widths, the far north and south, print.
commands+=(
  "render --mode twilight --size 1920x1080 --year 2025 --lat 52 --lon 9.8 --planets on --moonlight on"
  "render --mode twilight --size 1919x1080 --year 2026 --lat 47.4 --lon 8.5 --planets on"
  "render --mode twilight --size 800x1100 --year 2025 --lat 52 --lon 9.8 --planets on --moonlight on"
  "render --mode twilight --size 1280x960 --year 2026 --lat 69.6 --lon 18.9 --planets on --moonlight on"
  "render --mode twilight --size 1100x800 --year 2024 --lat -33.9 --lon 151.2 --tz 10 --moonlight on --print"
  "render --mode twilight --size 3840x2160 --year 2027 --lat 35 --lon -106 --tz -7 --planets on --moonlight on"
)

# Same width, height, resolution and RGB pixels (ImageMagick decodes).
same_pixels() {
  [[ $(identify -format '%w %h %x %y' "$1") == $(identify -format '%w %h %x %y' "$2") ]] &&
    [[ $(convert "$1" -depth 8 rgb:- | md5sum) == $(convert "$2" -depth 8 rgb:- | md5sum) ]]
}

failures=0
for i in "${!commands[@]}"; do
  read -r -a args <<<"${commands[$i]}"
  for side in old new; do
    binary=${!side}
    if [[ ${args[0]} == render ]]; then
      "$binary" "${args[@]}" --output "$work/$side-$i.png"
    else
      "$binary" "${args[@]}" >"$work/$side-$i.out"
    fi
  done
  ext=out
  [[ ${args[0]} == render ]] && ext=png
  if cmp -s "$work/old-$i.$ext" "$work/new-$i.$ext"; then
    echo "same       ${commands[$i]}"
  elif [[ $ext == png ]] && same_pixels "$work/old-$i.png" "$work/new-$i.png"; then
    echo "same px    ${commands[$i]}"
  else
    echo "DIFFERENT  ${commands[$i]}"
    failures=$((failures + 1))
  fi
done
echo "$failures of ${#commands[@]} outputs differ"
[[ $failures -eq 0 ]]

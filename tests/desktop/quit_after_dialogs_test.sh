#!/usr/bin/env bash
# After menus, a prompt, the print dialog, the page set-up and the save dialog
# under a window manager, "Beenden" (Alt+X) ends the process promptly: it is
# gone within 1 s of its window, as after a fresh start.
# Usage: quit_after_dialogs_test.sh VELMARIN
# Runs its own Xvfb and openbox; 77 (skipped) where they or xdotool are missing.
set -uo pipefail
bin=$1
for tool in xvfb-run openbox xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is missing (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
if [ -z "${VELMARIN_QUIT_TEST_DISPLAY:-}" ]; then
  exec env VELMARIN_QUIT_TEST_DISPLAY=1 xvfb-run -a -s "-screen 0 1400x1000x24" "$0" "$@"
fi

scratch=$(mktemp -d)
app=
wm=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
export HOME=$scratch XDG_CONFIG_HOME=$scratch/config QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME"
openbox >/dev/null 2>&1 & wm=$!
sleep 1

now_ms() { echo $(($(date +%s%N) / 1000000)); }
visible() { xdotool search --onlyvisible --pid "$app" --name '^Velmarin$' >/dev/null 2>&1; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.5; }
# Waits until a window of the program with that title shows (a dialog opened).
shows() {
  local until=$(($(now_ms) + 5000))
  until xdotool search --onlyvisible --pid "$app" --name "^$1\$" >/dev/null 2>&1; do
    if [ "$(now_ms)" -gt "$until" ]; then echo "FAIL: no window \"$1\" opened"; exit 1; fi
    sleep 0.1
  done
}

"$bin" >"$scratch/out.txt" 2>&1 & app=$!
deadline=$(($(now_ms) + 20000))
until visible; do
  if [ "$(now_ms)" -gt "$deadline" ] || ! kill -0 "$app" 2>/dev/null; then
    echo "FAIL: no window appeared"; cat "$scratch/out.txt"; exit 1
  fi
  sleep 0.1
done
window=$(xdotool search --onlyvisible --pid "$app" --name '^Velmarin$' | head -1)
xdotool windowactivate --sync "$window" 2>/dev/null
sleep 0.5

key alt+d; key Escape; key Escape                # the file menu, opened and closed
key alt+d; key Return; key Escape                # the location prompt, cancelled
key ctrl+p; shows Drucken; key Escape            # the print dialog, cancelled
key alt+d; key t; sleep 1; key Escape            # the print preview
key alt+d; key e; sleep 0.5; key Escape          # the page set-up
key ctrl+s; shows "Speichern unter"; key Escape  # the save dialog, cancelled
key alt+a; key Escape; key Escape                # the display menu
if ! kill -0 "$app" 2>/dev/null; then echo "FAIL: the program ended early"; cat "$scratch/out.txt"; exit 1; fi

start=$(now_ms)
xdotool key --clearmodifiers alt+x
deadline=$((start + 10000))
while visible; do
  if [ "$(now_ms)" -gt "$deadline" ]; then echo "FAIL: the window stayed after Alt+X"; exit 1; fi
  sleep 0.005
done
gone=$(now_ms)
while kill -0 "$app" 2>/dev/null; do
  if [ "$(now_ms)" -gt $((gone + 10000)) ]; then echo "FAIL: the process stayed 10 s after its window"; exit 1; fi
  sleep 0.005
done
ended=$(now_ms)
wait "$app"; status=$?
app=
echo "window gone after $((gone - start)) ms, process after $((ended - start)) ms ($((ended - gone)) ms after the window), status $status"
if [ "$status" -ne 0 ]; then echo "FAIL: exit status $status"; cat "$scratch/out.txt"; exit 1; fi
if [ $((ended - gone)) -gt 1000 ]; then echo "FAIL: the process lingered after its window"; exit 1; fi
echo "1 passed, 0 failed"

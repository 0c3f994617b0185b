#!/usr/bin/env bash
# Whole-process time of the Messier list's year: `velmarin visibility
# --targets messier` (110 targets x 365 days, exact events) as JSON and as
# best nights, beside the same command without targets. Medians of RUNS runs
# (default 21), wall and CPU (user + system) in milliseconds.
#   bench/targets_process_time.sh [VELMARIN] [RUNS]
set -euo pipefail
binary=${1:-build/velmarin}
runs=${2:-21}
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
place=(--year 2026 --lat 52 --lon 13.4 --tz 1 --summer-time off)
measure() {
  python3 - "$runs" "$@" <<'PY'
import os, statistics, subprocess, sys, time
runs, args = int(sys.argv[1]), sys.argv[2:]
wall, cpu = [], []
for _ in range(runs):
    before = os.times()
    start = time.perf_counter()
    subprocess.run(args, stdout=subprocess.DEVNULL, check=True)
    wall.append((time.perf_counter() - start) * 1000)
    after = os.times()
    cpu.append((after.children_user - before.children_user + after.children_system - before.children_system) * 1000)
print("median wall %6.1f ms  cpu %6.1f ms  %s" % (statistics.median(wall), statistics.median(cpu), " ".join(args[1:])))
PY
}
measure "$binary" visibility "${place[@]}" --json
measure "$binary" visibility "${place[@]}" --targets messier --json
measure "$binary" visibility "${place[@]}" --targets messier --best

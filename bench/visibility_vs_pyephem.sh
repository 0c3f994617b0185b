#!/usr/bin/env bash
# A year of rises, transits and sets side by side: the whole
# `velmarin visibility --json` process against PyEphem searching the same
# events (bodies 0..8, every day of the year, from each local midnight).
# Usage: bench/visibility_vs_pyephem.sh [BUILD_DIR]   (default: build/)
# Needs python3-ephem (Debian); uses the system Python, where it lives.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${VELMARIN_BUILD_DIR:-$here/build}}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config

/usr/bin/python3 - "$build/velmarin" <<'PY'
import json, statistics, subprocess, sys, time
import ephem

command = [sys.argv[1], "visibility", "--year", "2025", "--lat", "52", "--lon", "9.8", "--tz", "1",
           "--summer-time", "off", "--json"]
ours = json.loads(subprocess.run(command, stdout=subprocess.PIPE, check=True).stdout)
runs = []
for _ in range(11):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
    runs.append(time.perf_counter() - start)
oursMs = statistics.median(runs) * 1000.0

DUBLIN_JD = 2415020.0
bodies = [ephem.Sun(), ephem.Mercury(), ephem.Venus(), ephem.Mars(), ephem.Jupiter(), ephem.Saturn(),
          ephem.Uranus(), ephem.Neptune(), ephem.Moon()]
names = [b["name"] for b in ours["days"][0]["bodies"]]
observer = ephem.Observer()
observer.lat, observer.lon, observer.elevation = "52", "9.8", 0

def year_of_events():
    found = 0
    for day in ours["days"]:
        start = day["start"] - DUBLIN_JD
        for body in bodies:
            for search in (observer.next_rising, observer.next_transit, observer.next_setting):
                observer.date = start
                try:
                    if search(body) < start + 1.0:
                        found += 1
                except (ephem.AlwaysUpError, ephem.NeverUpError):
                    pass
    return found

pyRuns = []
for _ in range(3):
    start = time.perf_counter()
    found = year_of_events()
    pyRuns.append(time.perf_counter() - start)
pyMs = statistics.median(pyRuns) * 1000.0
print(f"days x bodies              {len(ours['days'])} x {len(names)} ({', '.join(names)})")
print(f"PyEphem {ephem.__version__} (median of 3)  {pyMs:9.1f} ms  ({found} events within their day)")
print(f"velmarin visibility --json {oursMs:9.1f} ms wall, whole process (median of 11)")
print(f"ratio                      {pyMs / oursMs:9.1f}x")
PY

#!/usr/bin/env bash
# One year of twilight sampling side by side: our sampler (bench_twilight_year)
# and the whole `velmarin daylight --json` process against PyEphem computing
# the Sun's altitude for the same 43,920 instants and place, then the ratios. Usage:
#   bench/twilight_vs_pyephem.sh [BUILD_DIR]      (default: build/)
# Needs python3-ephem (Debian); uses the system Python, where it lives.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${VELMARIN_BUILD_DIR:-$here/build}}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen

# The days the chart samples and our bands for them (52 N, 9.8 E, UT+1, no summer time).
"$build/velmarin" daylight --year 2025 --lat 52 --lon 9.8 --tz 1 --summer-time off --json >"$work/days.json"

"$build/bench/bench_twilight_year" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=json --benchmark_out="$work/ours.json" --benchmark_out_format=json >/dev/null

/usr/bin/python3 - "$work/days.json" "$work/ours.json" "$build/velmarin" <<'PY'
import json, math, statistics, subprocess, sys, time
import ephem

days = json.load(open(sys.argv[1]))
ours = json.load(open(sys.argv[2]))

# The instants the chart samples: local hours as running sums of 0.1 (the
# same doubles the C++ side forms), shifted by the time zone.
hours, h = [], 0.0
for _ in range(240):
    hours.append(h)
    h += 0.1
tz = days["timeZoneHours"] / 24.0
instants = [d["jd"] + hh / 24.0 - tz for d in days["days"] for hh in hours]
ourBands = "".join(d["bands"] for d in days["days"])

observer = ephem.Observer()
observer.lat = str(days["latitude"])
observer.lon = str(days["longitude"])
observer.elevation = 0
sun = ephem.Sun()
DUBLIN_JD = 2415020.0

def band(alt):
    deg = math.degrees(alt)
    return "0" if deg > 0 else "1" if deg > -6 else "2" if deg > -12 else "3" if deg > -18 else "4"

def pyephem_year():
    bands = []
    for t in instants:
        observer.date = t - DUBLIN_JD
        sun.compute(observer)
        bands.append(band(sun.alt))
    return "".join(bands)

runs, theirBands = [], ""
for _ in range(3):
    start = time.perf_counter()
    theirBands = pyephem_year()
    runs.append(time.perf_counter() - start)
pyephemMs = statistics.median(runs) * 1000.0

def median(name, field):
    for b in ours["benchmarks"]:
        if b["name"] == name + "_median":
            return b[field]
    raise SystemExit("missing " + name)

# The whole process, start-up and JSON included, as a script would run it.
command = [sys.argv[3], "daylight", "--year", "2025", "--lat", "52", "--lon", "9.8", "--tz", "1",
           "--summer-time", "off", "--json"]
processRuns = []
for _ in range(21):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
    processRuns.append(time.perf_counter() - start)
processMs = statistics.median(processRuns) * 1000.0

wall = median("BM_TwilightYear/real_time", "real_time")
oneThread = median("BM_TwilightYearOneThread/real_time", "real_time")
same = sum(a == b for a, b in zip(ourBands, theirBands))

print(f"instants                   {len(instants)}")
print(f"PyEphem {ephem.__version__} (median of 3)  {pyephemMs:9.2f} ms")
print(f"ours, all cores (median)   {wall:9.2f} ms wall")
print(f"ours, one thread (median)  {oneThread:9.2f} ms wall")
print(f"bands equal to PyEphem's   {same} of {len(instants)} (the rest lie at band limits, where the two Sun theories and refraction models part)")
print(f"whole process (median/21)  {processMs:9.2f} ms wall  (velmarin daylight --json)")
print(f"ratio, all cores           {pyephemMs / wall:9.1f}x")
print(f"ratio, whole process       {pyephemMs / processMs:9.1f}x")
print(f"ratio, one thread          {pyephemMs / oneThread:9.1f}x")
PY

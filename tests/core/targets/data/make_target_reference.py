#!/usr/bin/python3
"""PyEphem reference for tests/core/targets/*_test.cpp.

Writes, beside this script:
- targets_pyephem.txt: rise, transit and set of fixed targets and of a
  comet's orbit through 2026 at 52 N and 34 S (PyEphem with pressure 1010 hPa,
  10 C, horizon 0: its refraction stands in for ours); the astrometric
  geocentric places of comets and an asteroid on a few dates; and the
  apparent places of fixed targets from 1826 to 2226.
- orbits_mpc.txt: the same orbits as MPC one-line elements (comet format and
  MPCORB), which the tests read with the program's reader.

    /usr/bin/python3 make_target_reference.py

Lines of targets_pyephem.txt:
  E PLACE TARGET KIND JD           event (KIND r rise, s set, T transit)
  P NAME JD RA_RAD DEC_RAD         astrometric place (J2000) of an orbit
  A TARGET JD RA_RAD DEC_RAD       apparent place (true equator of date)
JD are Julian Days, UT (PyEphem dates + 2415020).
"""
import math
import os

import ephem

DJD = 2415020.0
HERE = os.path.dirname(os.path.abspath(__file__))
YEAR = 2026
PLACES = [("52N", 52.0, 13.4), ("34S", -34.0, 18.4)]
# name, RA hours, Dec degrees (J2000): the same as in the tests.
FIXED = [
    ("M31", 0.712314, 41.26875),
    ("M42", 5.588140, -5.39110),
    ("M13", 16.694898, 36.46132),
    ("M7", 17.897534, -34.79300),
    ("M83", 13.616922, -29.86576),
    ("Vega", 18.615649, 38.78369),
    ("Canopus", 6.399197, -52.69566),
]

# Orbits: (name, kind, elements). Perihelion and epoch dates as PyEphem
# dates strings; angles in degrees.
COMET_ELLIPTIC = dict(name="Test ellipse", T="2026/03/15.25", q=0.8123, e=0.9712, w=112.345, N=248.901,
                      i=34.567, g=7.5, k=4.0)
COMET_PARABOLIC = dict(name="Test parabola", T="2026/06/02.5", q=1.234, e=1.0, w=70.11, N=10.22, i=121.33,
                       g=9.0, k=3.2)
COMET_HYPERBOLIC = dict(name="Test hyperbola", T="2025/12/20.75", q=1.9876, e=1.0523, w=301.2, N=155.5,
                        i=64.1, g=8.2, k=2.5)
# An asteroid (MPCORB): epoch 2025 Nov 21.0 (packed K25BL), M, w, N, i, e, a, H, G.
ASTEROID = dict(name="(4) Test Vesta", epoch="2025/11/21", packed="K25BL", M=123.4567, w=151.123, N=103.81,
                i=7.1432, e=0.0897, a=2.3615, H=3.25, G=0.32)


def observer(lat, lon):
    o = ephem.Observer()
    o.lat = math.radians(lat)
    o.lon = math.radians(lon)
    o.elevation = 0
    o.pressure = 1010
    o.temp = 10
    o.horizon = 0
    return o


def fixed_body(ra_hours, dec_degrees):
    b = ephem.FixedBody()
    b._ra = math.radians(ra_hours * 15.0)
    b._dec = math.radians(dec_degrees)
    b._epoch = ephem.J2000
    return b


def comet_body(c):
    if c["e"] < 1.0:
        b = ephem.EllipticalBody()
        b._a = c["q"] / (1.0 - c["e"])
        b._M = 0.0
        b._epoch_M = ephem.Date(c["T"])
        b._e = c["e"]
    elif c["e"] == 1.0:
        b = ephem.ParabolicBody()
        b._epoch_p = ephem.Date(c["T"])
        b._q = c["q"]
    else:
        b = ephem.HyperbolicBody()
        b._epoch_p = ephem.Date(c["T"])
        b._q = c["q"]
        b._e = c["e"]
    b._epoch = ephem.J2000
    b._inc, b._Om, b._om = c["i"], c["N"], c["w"]
    b._g, b._k = c["g"], c["k"]
    return b


def asteroid_body(a):
    b = ephem.EllipticalBody()
    b._a, b._e, b._inc, b._Om, b._om, b._M = a["a"], a["e"], a["i"], a["N"], a["w"], a["M"]
    b._epoch_M = ephem.Date(a["epoch"])
    b._epoch = ephem.J2000
    b._H, b._G = a["H"], a["G"]
    return b


def comet_line(c):
    """The comet one-line format, column for column."""
    d = ephem.Date(c["T"]).tuple()
    day = d[2] + (d[3] + (d[4] + d[5] / 60.0) / 60.0) / 24.0
    line = " " * 4 + "C" + "T26X010" + "  "                      # 1-14
    line += "%4d %02d %07.4f" % (d[0], d[1], day)                # 15-29
    line += " %9.6f  %8.6f" % (c["q"], c["e"])                   # 30-49
    line += "  %8.4f  %8.4f  %8.4f" % (c["w"], c["N"], c["i"])   # 50-79
    line += "  20260101  %4.1f %4.1f  " % (c["g"], c["k"])       # 80-102
    line += "%-56s" % c["name"] + " MPC00000"
    return line


def asteroid_line(a):
    line = "%-7s %5.2f %5.2f %s" % ("00004", a["H"], a["G"], a["packed"])  # 1-25
    line += " %9.5f  %9.5f  %9.5f  %9.5f" % (a["M"], a["w"], a["N"], a["i"])  # 26-68
    line += "  %9.7f %11.8f %11.7f" % (a["e"], 0.2715, a["a"])  # 69-103
    line += "  0 E2024-V47  7330 125 1801-2024 0.80 M-v 30k MPCLINUX   0000"
    line = line.ljust(166) + "%-28s" % a["name"] + "20241101"
    return line


def events(o, body, first, last):
    out = []
    for kind, step in (("r", o.next_rising), ("s", o.next_setting), ("T", o.next_transit)):
        t = first
        while t < last:
            o.date = t
            try:
                e = step(body)
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                t += 1.0
                continue
            if e >= last:
                break
            out.append((kind, float(e)))
            t = float(e) + 0.01
    return out


def main():
    lines = []
    first = ephem.Date("%d/1/1" % YEAR) - 1.0
    last = ephem.Date("%d/1/1" % (YEAR + 1)) + 1.0
    for place, lat, lon in PLACES:
        o = observer(lat, lon)
        for name, ra, dec in FIXED:
            for kind, e in events(o, fixed_body(ra, dec), first, last):
                lines.append("E %s %s %s %.6f" % (place, name, kind, e + DJD))
        comet = COMET_ELLIPTIC
        for kind, e in events(o, comet_body(comet), first, last):
            lines.append("E %s %s %s %.6f" % (place, comet["name"].replace(" ", "_"), kind, e + DJD))
    for c in (COMET_ELLIPTIC, COMET_PARABOLIC, COMET_HYPERBOLIC):
        b = comet_body(c)
        for date in ("2025/10/1", "2026/1/10", "2026/3/1", "2026/5/20", "2026/8/15", "2026/12/24"):
            b.compute(date)
            lines.append("P %s %.6f %.9f %.9f" % (c["name"].replace(" ", "_"), ephem.Date(date) + DJD,
                                                  float(b.a_ra), float(b.a_dec)))
    b = asteroid_body(ASTEROID)
    for date in ("2025/6/1", "2026/1/10", "2026/4/1", "2026/9/9", "2027/2/2"):
        b.compute(date)
        lines.append("P %s %.6f %.9f %.9f" % (ASTEROID["name"].replace(" ", "_"), ephem.Date(date) + DJD,
                                              float(b.a_ra), float(b.a_dec)))
    for name, ra, dec in FIXED:
        b = fixed_body(ra, dec)
        for year in range(1826, 2227, 25):
            date = ephem.Date("%d/7/1" % year)
            b.compute(date, epoch=date)
            lines.append("A %s %.6f %.9f %.9f" % (name, date + DJD, float(b.g_ra), float(b.g_dec)))
    with open(os.path.join(HERE, "targets_pyephem.txt"), "w") as f:
        f.write("# PyEphem %s; made by make_target_reference.py\n" % ephem.__version__)
        f.write("\n".join(lines) + "\n")
    with open(os.path.join(HERE, "orbits_mpc.txt"), "w") as f:
        for c in (COMET_ELLIPTIC, COMET_PARABOLIC, COMET_HYPERBOLIC):
            f.write(comet_line(c).rstrip() + "\n")
        f.write(asteroid_line(ASTEROID) + "\n")


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Far-year reference for tests/core/ephemeris/far_years_test.cpp, from PyEphem.

Writes far_years_pyephem.txt beside this script:  /usr/bin/python3 make_far_years_reference.py

London, every 13th day of years from 1600 to 2400: the events of one UT day
each. The observer is set up as in make_rise_set_reference.py (our horizon:
refraction off, horizon at -0.01 rad, the upper limb of the Sun and the
Moon; twilight: the Sun's centre at geometric -18 degrees). PyEphem gives
apparent places of date, so these instants test that the events follow the
equinox of date far from 2000.

Lines:  YEAR DAYSTART BODY KIND JD   (JD, UT; KIND r rise, s set, T transit,
        d/D astronomical dawn/dusk with BODY 0)
"""
import math
import os

import ephem

LATITUDE, LONGITUDE = 51.5074, -0.1278
YEARS = [1600, 1700, 1800, 2000, 2200, 2300, 2400]
DAY_STEP = 13
HORIZON_RAD = -0.01
DJD = 2415020.0  # PyEphem's dates count days from 1899-12-31 12:00 UT
BODIES = [(0, ephem.Sun), (4, ephem.Jupiter), (8, ephem.Moon)]


def observer(horizon):
    o = ephem.Observer()
    o.lat = math.radians(LATITUDE)
    o.lon = math.radians(LONGITUDE)
    o.elevation = 0
    o.pressure = 0
    o.horizon = horizon
    return o


def crossings(o, body, first, last, use_limb):
    """Risings and settings in [first, last) by stepping PyEphem's own
    altitudes (10 min) and halving to a second."""
    def up(t):
        o.date = t
        body.compute(o)
        return body.alt + (body.radius if use_limb else 0.0) > o.horizon

    out = []
    step = 10.0 / 1440.0
    t = first
    state = up(t)
    while t < last:
        u = min(t + step, last)
        new = up(u)
        if new != state:
            a, b = t, u
            while b - a > 0.5 / 86400.0:
                mid = 0.5 * (a + b)
                if up(mid) == state:
                    a = mid
                else:
                    b = mid
            out.append(("r" if new else "s", 0.5 * (a + b)))
            state = new
        t = u
    return out


def main():
    lines = []
    for year in YEARS:
        start = ephem.Date("%d/1/1" % year)
        end = ephem.Date("%d/1/1" % (year + 1))
        day = float(start)
        while day < end:
            first, last = day, day + 1.0
            for index, cls in BODIES:
                body = cls()
                o = observer(HORIZON_RAD)
                for kind, e in crossings(o, body, first, last, index in (0, 8)):
                    lines.append("%d %.1f %d %s %.6f" % (year, first + DJD, index, kind, e + DJD))
                o.date = first
                t = o.next_transit(body)
                if t < last:
                    lines.append("%d %.1f %d T %.6f" % (year, first + DJD, index, float(t) + DJD))
            for kind, e in crossings(observer("-18"), ephem.Sun(), first, last, False):
                lines.append("%d %.1f 0 %s %.6f" % (year, first + DJD, "d" if kind == "r" else "D", e + DJD))
            day += DAY_STEP
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "far_years_pyephem.txt")
    with open(path, "w") as f:
        f.write("# PyEphem %s, London; made by make_far_years_reference.py\n" % ephem.__version__)
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Rise and set reference for tests/core/ephemeris/rise_set_test.cpp, from PyEphem.

Writes rise_set_pyephem.txt beside this script. Run again only when a place
or the year changes:  /usr/bin/python3 make_rise_set_reference.py

Our horizon: the refraction that lifts a body is added only above a geometric
altitude of -0.01 rad; below that altitudes stay geometric. So a point
rises or sets where its geometric altitude crosses -0.01 rad, and the Sun
and the Moon where their upper limb does (the Moon as seen from the ground,
that is lowered by its parallax). PyEphem gives exactly that with its own
refraction switched off (pressure 0) and the horizon at -0.01 rad: rising
and setting then use the upper limb of the Sun and the Moon and its
topocentric Moon. Twilight instants: the Sun's centre at geometric -6, -12
and -18 degrees.

Lines:  PLACE BODY KIND JD   (KIND r rise, s set, T transit,
        d/D dawn/dusk with the limit in degrees as BODY)
and, for the polar place only, PLACE BODY u DAYINDEX 0|1 with PyEphem's
up-state at the start of every local day.
"""
import math
import os

import ephem

YEAR = 2026
HORIZON_RAD = -0.01
# name, latitude, longitude (degrees), UTC offset in hours used for the days
PLACES = [
    ("52N", 52.0, 13.4, 1.0),
    ("0N", 0.0, -78.5, -5.0),
    ("34S", -34.0, 18.4, 2.0),
    ("70N", 70.0, 23.0, 1.0),
]
BODIES = [ephem.Sun, ephem.Mercury, ephem.Venus, ephem.Mars, ephem.Jupiter,
          ephem.Saturn, ephem.Uranus, ephem.Neptune, ephem.Moon]
DJD = 2415020.0  # PyEphem's dates count days from 1899-12-31 12:00 UT


def observer(lat, lon, horizon):
    o = ephem.Observer()
    o.lat = math.radians(lat)
    o.lon = math.radians(lon)
    o.elevation = 0
    o.pressure = 0
    o.horizon = horizon
    return o


def events(o, body, use_center, first, last):
    """Every rising and setting between PyEphem dates first and last."""
    out = []
    for kind, step in (("r", o.next_rising), ("s", o.next_setting)):
        t = first
        while t < last:
            o.date = t
            try:
                e = step(body, use_center=use_center)
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                t += 0.25
                continue
            if e >= last:
                break
            out.append((kind, float(e)))
            t = float(e) + 1.0 / 1440.0
    return out


def scanned_events(o, body, first, last):
    """Risings and settings of the upper limb found by stepping PyEphem's own
    altitudes (10 min) and halving to a second: its rising search does not
    return for the Moon at high latitudes."""
    def up(t):
        o.date = t
        body.compute(o)
        return body.alt + body.radius > o.horizon

    out = []
    step = 10.0 / 1440.0
    t = first
    state = up(t)
    while t < last:
        u = t + step
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
    first = ephem.Date("%d/1/1" % YEAR) - 1.0
    last = ephem.Date("%d/1/1" % (YEAR + 1)) + 1.0
    for name, lat, lon, _ in PLACES:
        o = observer(lat, lon, HORIZON_RAD)
        for index, cls in enumerate(BODIES):
            body = cls()
            found = (scanned_events(o, body, first, last) if index == 8
                     else events(o, body, False, first, last))
            for kind, e in found:
                lines.append("%s %d %s %.5f" % (name, index, kind, e + DJD))
            t = first
            while t < last:
                o.date = t
                e = o.next_transit(body)
                if e >= last:
                    break
                lines.append("%s %d T %.5f" % (name, index, float(e) + DJD))
                t = float(e) + 0.01
        for degrees in (6, 12, 18):
            tw = observer(lat, lon, str(-degrees))
            for kind, e in events(tw, ephem.Sun(), True, first, last):
                lines.append("%s %d %s %.5f" % (name, degrees, "d" if kind == "r" else "D", e + DJD))
    # Up-states at each local midnight of the polar place.
    name, lat, lon, offset = PLACES[-1]
    o = observer(lat, lon, HORIZON_RAD)
    start = ephem.Date("%d/1/1" % YEAR) - offset / 24.0
    days = (ephem.Date("%d/1/1" % (YEAR + 1)) - ephem.Date("%d/1/1" % YEAR))
    for index, cls in enumerate(BODIES):
        body = cls()
        for day in range(int(round(days))):
            o.date = start + day
            body.compute(o)
            limb = body.radius if index in (0, 8) else 0.0
            up = 1 if body.alt + limb > HORIZON_RAD else 0
            lines.append("%s %d u %d %d" % (name, index, day, up))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "rise_set_pyephem.txt")
    with open(path, "w") as f:
        f.write("# PyEphem %s, year %d; made by make_rise_set_reference.py\n" % (ephem.__version__, YEAR))
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()

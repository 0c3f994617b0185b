#!/usr/bin/python3
"""`--targets` and `--elements` through the program as a user runs it: the
JSON read by Python's json module, the CSV by its csv module, the calendar by
Debian's python3-icalendar, all held against each other and against PyEphem;
bad lists stop the command with one line on stderr, status 2, nothing written.

Usage: targets_cli_check.py VELMARIN TARGETS_DATA_DIR
"""
import csv
import io
import json
import math
import os
import subprocess
import sys
import tempfile
import unittest

import ephem
import icalendar

VELMARIN = None
DATA = None
DJD = 2415020.0
PLACE = ["--year", "2026", "--lat", "52", "--lon", "13.4", "--tz", "1", "--summer-time", "off"]


def run(args, check=True):
    env = dict(os.environ)
    env["SOURCE_DATE_EPOCH"] = "1767225600"
    env["XDG_CONFIG_HOME"] = tempfile.mkdtemp()
    p = subprocess.run([VELMARIN] + args, capture_output=True, env=env)
    if check and p.returncode != 0:
        raise AssertionError("%s: %d %s" % (args, p.returncode, p.stderr.decode()))
    return p


class Targets(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp()
        cls.csv = os.path.join(cls.dir, "list.csv")
        with open(cls.csv, "w", encoding="utf-8") as f:
            f.write('name,ra,dec,magnitude\n"Andromeda, M31",0:42:44.3,+41:16:09,3.4\nWega,18.615649,38.78369,\n')
        cls.elements = os.path.join(DATA, "orbits_mpc.txt")
        cls.json = json.loads(run(["visibility"] + PLACE + ["--targets", cls.csv, "--targets", "messier",
                                                           "--elements", cls.elements, "--json"]).stdout)

    def test_every_day_lists_every_target_in_order(self):
        names = ["Andromeda, M31", "Wega"] + ["M%d" % i for i in range(1, 111)] + \
            ["Test ellipse", "Test parabola", "Test hyperbola", "(4) Test Vesta"]
        self.assertEqual(len(self.json["days"]), 365)
        for day in self.json["days"]:
            self.assertEqual([t["name"] for t in day["targets"]], names)
            for t in day["targets"]:
                self.assertEqual(set(t), {"name", "rise", "transit", "transitAltitude", "set", "alwaysUp", "neverUp"})

    def test_transits_agree_with_pyephem(self):
        o = ephem.Observer()
        o.lat, o.lon, o.pressure, o.temp = math.radians(52), math.radians(13.4), 1010, 10
        star = ephem.FixedBody()
        star._ra, star._dec, star._epoch = ephem.hours("0:42:44.3"), ephem.degrees("41:16:09"), ephem.J2000
        worst = 0.0
        for day in self.json["days"][::7]:
            t = day["targets"][0]
            o.date = t["transit"] - DJD - 0.1
            transit = o.next_transit(star)
            worst = max(worst, abs(float(transit) + DJD - t["transit"]) * 1440)
            o.date = transit
            star.compute(o)
            self.assertAlmostEqual(t["transitAltitude"], math.degrees(star.alt), delta=0.01)
        self.assertLess(worst, 2.0)

    def test_without_targets_the_output_has_none(self):
        plain = json.loads(run(["visibility"] + PLACE + ["--json"]).stdout)
        self.assertNotIn("targets", plain["days"][0])
        self.assertEqual(plain["days"][5]["bodies"], self.json["days"][5]["bodies"])

    def test_csv_carries_the_same_instants(self):
        rows = list(csv.DictReader(io.StringIO(run(["visibility"] + PLACE + ["--targets", self.csv, "--format", "csv"])
                                               .stdout.decode("utf-8"))))
        self.assertEqual(len(rows), 365)
        for row, day in zip(rows[::30], self.json["days"][::30]):
            for t in day["targets"][:2]:
                for field in ("rise", "transit", "set"):
                    got = row[t["name"] + "." + field]
                    self.assertEqual(float(got) if got else None, t[field])

    def test_calendar_has_each_targets_events(self):
        text = run(["visibility"] + PLACE + ["--targets", self.csv, "--format", "ics", "--events", "targets"]).stdout
        cal = icalendar.Calendar.from_ical(text)
        events = [e for e in cal.walk("VEVENT")]
        summaries = [str(e["SUMMARY"]) for e in events]
        expected = sum(1 for day in self.json["days"] for t in day["targets"][:2] for f in ("rise", "transit", "set")
                       if t[f] is not None)
        self.assertEqual(len(events), expected)
        self.assertIn("Andromeda, M31 Kulmination", summaries)
        self.assertEqual(len({str(e["UID"]) for e in events}), len(events))

    def test_positions_list_targets_after_the_bodies(self):
        out = json.loads(run(["positions", "--jd", "2461100.5", "--targets", self.csv, "--elements", self.elements,
                              "--json"]).stdout)
        self.assertEqual(len(out["bodies"]), 9)
        m31 = out["targets"][0]
        self.assertAlmostEqual(m31["rightAscension"], 0 + 42 / 60 + 44.3 / 3600, places=9)
        self.assertAlmostEqual(m31["declination"], 41 + 16 / 60 + 9 / 3600, places=9)
        self.assertEqual(out["targets"][1]["magnitude"], None)
        self.assertEqual(len(out["targets"]), 6)
        self.assertIsNotNone(out["targets"][5]["distance"])

    def test_best_nights_are_date_ranges_of_the_year(self):
        best = json.loads(run(["visibility"] + PLACE + ["--targets", "messier", "--best", "--json"]).stdout)
        self.assertEqual(len(best["targets"]), 110)
        m42 = best["targets"][41]
        self.assertEqual(m42["name"], "M42")
        self.assertTrue(m42["nights"])
        for r in m42["nights"]:
            self.assertLessEqual(r["from"], r["to"])
            self.assertTrue(r["from"].startswith("2026-"))

    def elements_text(self):
        with open(self.elements) as f:
            return f.read()

    def test_bad_lists_stop_with_one_line(self):
        cases = [
            ("name,ra,dec\nA,24:00:00,0\n", "csv", ":2: ra: outside 0 to 24 h"),
            ("name,ra,dec\nA,1,2\nB,1,-90.5\n", "csv", ":3: dec: beyond +-90 degrees"),
            ("name,ra,dec\nA,x,2\n", "csv", ":2: ra: not a number of hours: 'x'"),
            ("    CJ95O010  1997 03 29.6333  0.916241  0.994928  130.5997\n", "mpc", ":1: MPC comet line must have"),
            (self.elements_text().replace("0.971200", "-0.97120"), "mpc", ":1: eccentricity below 0"),
        ]
        for text, kind, message in cases:
            path = os.path.join(self.dir, "bad." + kind)
            with open(path, "w") as f:
                f.write(text)
            option = "--targets" if kind == "csv" else "--elements"
            for command in (["visibility"] + PLACE + ["--json"], ["positions", "--jd", "2461100.5"]):
                out = os.path.join(self.dir, "out.json")
                p = run(command + [option, path, "--output", out], check=False)
                self.assertEqual(p.returncode, 2)
                self.assertEqual(p.stdout, b"")
                self.assertFalse(os.path.exists(out))
                err = p.stderr.decode()
                self.assertEqual(err.count("\n"), 1, err)
                self.assertIn(path + message, err)
        p = run(["visibility", "--targets", os.path.join(self.dir, "missing.csv")], check=False)
        self.assertEqual(p.returncode, 2)
        self.assertIn("missing.csv: cannot read", p.stderr.decode())

    def test_option_rules(self):
        for args, message in ((["visibility", "--best"], "--best needs --targets or --elements"),
                              (["visibility", "--targets", "messier", "--best", "--format", "ics"], "no calendar form"),
                              (["daylight", "--targets", "messier"], "unknown option '--targets'"),
                              (["visibility", "--targets="], "--targets needs a file name")):
            p = run(args, check=False)
            self.assertEqual(p.returncode, 2)
            self.assertIn(message, p.stderr.decode())


if __name__ == "__main__":
    VELMARIN, DATA = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=1)

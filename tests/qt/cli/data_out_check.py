#!/usr/bin/python3
"""Reads what `velmarin … --format csv|ics` writes with real parsers (Python's csv
module, Debian's python3-icalendar) and holds it against the same command's JSON.

Usage: data_out_check.py VELMARIN ics|csv|output
"""
import csv
import datetime
import io
import json
import os
import subprocess
import sys
import tempfile
import unittest

import icalendar

VELMARIN = None
UTC = datetime.timezone.utc
J2000 = datetime.datetime(2000, 1, 1, 12, tzinfo=UTC)  # JD 2451545.0


def instant_of(jd):
    """The UT instant of a Julian Day, proleptic Gregorian (Python's calendar)."""
    return J2000 + datetime.timedelta(days=jd - 2451545.0)


def truncated_to_second(late):
    """Printed instants truncate to the second; an instant a few µs short of a
    whole second (the Julian Day's rounding) may print as that second."""
    return -1e-3 <= late < 1


def run(args, env_extra=None, check=True):
    env = dict(os.environ)
    env.pop("SOURCE_DATE_EPOCH", None)
    # A decimal comma in the user's locale must not reach the numbers.
    env["LC_ALL"] = "de_DE.UTF-8"
    env.update(env_extra or {})
    with tempfile.TemporaryDirectory() as home:
        env["XDG_CONFIG_HOME"] = home  # no settings file: the defaults
        done = subprocess.run([VELMARIN] + args, capture_output=True, env=env)
    if check and done.returncode != 0:
        raise AssertionError(f"{args}: status {done.returncode}: {done.stderr!r}")
    return done


def run_json(args):
    return json.loads(run(args + ["--json"]).stdout)


def physical_lines(data):
    """The file's lines, each of which must end with CR LF."""
    assert data.endswith(b"\r\n"), "the file must end with CR LF"
    lines = data[:-2].split(b"\r\n")
    for line in lines:
        assert b"\n" not in line and b"\r" not in line, f"bare line break in {line!r}"
    return lines


class Ics(unittest.TestCase):
    # Years before the Gregorian reform (1000) catch a calendar mix-up.
    YEARS = [1600, 2026, 2400, 1000]
    STAMP = "1765238400"  # 2025-12-09T00:00:00Z

    def test_phases_calendar_matches_the_json_markers(self):
        for year in self.YEARS:
            with self.subTest(year=year):
                markers = run_json(["phases", "--year", str(year)])["phases"]
                first = run(["phases", "--year", str(year), "--format", "ics"]).stdout
                second = run(["phases", "--year", str(year), "--format", "ics"]).stdout
                for line in physical_lines(first):
                    self.assertLessEqual(len(line), 75, line)
                    line.decode("utf-8")  # never cut inside a character

                calendar = icalendar.Calendar.from_ical(first)
                self.assertEqual(str(calendar["VERSION"]), "2.0")
                self.assertEqual(str(calendar["PRODID"]), "-//Tannwick//Velmarin//DE")
                events = calendar.walk("VEVENT")
                self.assertEqual(len(events), len(markers))
                self.assertGreater(len(markers), 45)
                for event, marker in zip(events, markers):
                    start = event["DTSTART"].dt
                    self.assertEqual(start.utcoffset(), datetime.timedelta(0))
                    late = (instant_of(marker["jd"]) - start).total_seconds()
                    self.assertTrue(truncated_to_second(late), f"{event['SUMMARY']}: {late} s")
                    self.assertEqual(str(event["SUMMARY"]), marker["label"])

                uids = [str(e["UID"]) for e in events]
                self.assertEqual(len(set(uids)), len(uids), "UIDs unique in the file")
                again = [str(e["UID"]) for e in icalendar.Calendar.from_ical(second).walk("VEVENT")]
                self.assertEqual(uids, again, "UIDs stable across runs")

    # (year, place, --events, the JSON instants each group names)
    VISIBILITY = [
        ("2026", ["--lat", "52.5", "--lon", "13.4", "--tz", "1"], "sun,moon,twilight"),
        ("1600", ["--lat", "-33.9", "--lon", "18.4", "--tz", "2", "--summer-time", "off"], "sun"),
        ("2400", ["--lat", "69.7", "--lon", "19", "--tz", "1"], "moon,twilight"),
    ]
    GROUPS = {
        "sun": [("body", 0, "rise"), ("body", 0, "set")],
        "moon": [("body", 8, "rise"), ("body", 8, "set")],  # the Moon is body 8
        "twilight": [("twilight", None, k) for k in (
            "civilDawn", "nauticalDawn", "astronomicalDawn", "civilDusk", "nauticalDusk",
            "astronomicalDusk")],
    }

    def test_visibility_calendar_matches_the_json_events(self):
        for year, place, groups in self.VISIBILITY:
            with self.subTest(year=year, place=place, groups=groups):
                args = ["visibility", "--year", year] + place
                document = run_json(args)
                expected = []
                for day in document["days"]:
                    for group in groups.split(","):
                        for where, index, key in self.GROUPS[group]:
                            value = (day["bodies"][index] if where == "body" else day["twilight"])[key]
                            if value is not None:
                                expected.append(value)
                ics_args = args + ["--format", "ics", "--events", groups]
                first = run(ics_args).stdout
                for line in physical_lines(first):
                    self.assertLessEqual(len(line), 75, line)
                events = icalendar.Calendar.from_ical(first).walk("VEVENT")
                self.assertEqual(len(events), len(expected))
                starts = sorted(e["DTSTART"].dt for e in events)
                for start, jd in zip(starts, sorted(expected)):
                    late = (instant_of(jd) - start).total_seconds()
                    self.assertTrue(truncated_to_second(late), f"{start}: {late} s")
                uids = [str(e["UID"]) for e in events]
                self.assertEqual(len(set(uids)), len(uids), "UIDs unique in the file")
                again = icalendar.Calendar.from_ical(run(ics_args).stdout).walk("VEVENT")
                self.assertEqual(uids, [str(e["UID"]) for e in again], "UIDs stable across runs")

    def test_source_date_epoch_fixes_the_stamp_and_the_bytes(self):
        env = {"SOURCE_DATE_EPOCH": self.STAMP}
        first = run(["phases", "--year", "2026", "--format", "ics"], env).stdout
        second = run(["phases", "--year", "2026", "--format", "ics"], env).stdout
        self.assertEqual(first, second)
        expected = datetime.datetime.fromtimestamp(int(self.STAMP), UTC)
        for event in icalendar.Calendar.from_ical(first).walk("VEVENT"):
            self.assertEqual(event["DTSTAMP"].dt, expected)

    def test_uids_of_neighbouring_years_never_meet(self):
        # Importing several years into one calendar must not merge events.
        seen = {}
        for year in (1582, 1583, 2025, 2026, 2027):
            ics = run(["phases", "--year", str(year), "--format", "ics"]).stdout
            for event in icalendar.Calendar.from_ical(ics).walk("VEVENT"):
                uid = str(event["UID"])
                self.assertNotIn(uid, seen, f"{uid} in {year} and {seen.get(uid)}")
                seen[uid] = year

    def test_refusals_are_one_line_and_status_2(self):
        cases = [
            ["positions", "--jd", "2451545", "--format", "ics"],
            ["daylight", "--year", "2026", "--format", "ics"],
            ["phases", "--year", "10000", "--format", "ics"],  # beyond a DATE-TIME's four digits
            ["phases", "--year", "2026", "--format", "ical"],
            ["phases", "--year", "2026", "--format", "ics", "--json"],
            ["visibility", "--year", "2026", "--format", "ics", "--events", "sun,stars"],
            ["visibility", "--year", "2026", "--format", "csv", "--events", "sun"],
        ]
        for args in cases:
            with self.subTest(args=args):
                done = run(args, check=False)
                self.assertEqual(done.returncode, 2)
                self.assertEqual(done.stdout, b"")
                self.assertEqual(done.stderr.count(b"\n"), 1)
        done = run(["phases", "--format", "ics"], {"SOURCE_DATE_EPOCH": "yesterday"}, check=False)
        self.assertEqual((done.returncode, done.stdout), (2, b""))


class Output(unittest.TestCase):
    """--output writes the bytes standard output would get, or nothing at all."""

    CASES = [
        ["positions", "--jd", "2451545", "--format", "csv"],
        ["phases", "--year", "2026", "--format", "ics"],
        ["phases", "--year", "2026", "--format", "csv"],
        ["daylight", "--year", "2026", "--format", "csv"],
        ["daylight", "--year", "2026", "--json"],
        ["daylight", "--year", "2026"],
    ]
    ENV = {"SOURCE_DATE_EPOCH": "1765238400"}

    def test_the_file_holds_what_stdout_shows(self):
        with tempfile.TemporaryDirectory() as folder:
            for args in self.CASES:
                with self.subTest(args=" ".join(args)):
                    path = os.path.join(folder, "out")
                    with open(path, "wb") as old:
                        old.write(b"old content")
                    done = run(args + ["--output", path], self.ENV)
                    self.assertEqual((done.stdout, done.stderr), (b"", b""))
                    with open(path, "rb") as written:
                        self.assertEqual(written.read(), run(args, self.ENV).stdout)
                    self.assertEqual(os.listdir(folder), ["out"], "no temporary file left")

    def test_an_unwritable_file_is_one_line_status_2_and_stays(self):
        with tempfile.TemporaryDirectory() as folder:
            keep = os.path.join(folder, "keep")
            os.mkdir(keep)
            for target in [os.path.join(folder, "missing", "x.csv"), keep]:
                with self.subTest(target=target):
                    done = run(["phases", "--format", "csv", "--output", target], check=False)
                    self.assertEqual(done.returncode, 2)
                    self.assertEqual(done.stdout, b"")
                    self.assertEqual(done.stderr.count(b"\n"), 1, done.stderr)
            self.assertEqual(sorted(os.listdir(folder)), ["keep"])
            self.assertEqual(os.listdir(keep), [])


def read_csv(data):
    physical_lines(data)
    rows = list(csv.reader(io.StringIO(data.decode("utf-8"), newline="")))
    header, body = rows[0], rows[1:]
    for row in body:
        assert len(row) == len(header), f"{len(row)} fields, header has {len(header)}"
    return header, body


def flattened(item):
    """An item's fields as CSV columns: a day's bodies under their names, its
    twilight under "twilight."; index and name live in the column names."""
    fields = []
    for key, value in item.items():
        if key == "bodies":
            for body in value:
                fields += [(body["name"] + "." + k, v) for k, v in body.items()
                           if k not in ("index", "name")]
        elif key == "twilight":
            fields += [("twilight." + k, v) for k, v in value.items()]
        else:
            fields.append((key, value))
    return fields


def same_value(test, text, value, where):
    if value is None:
        test.assertEqual(text, "", where)
    elif isinstance(value, bool):
        test.assertEqual(text, "true" if value else "false", where)
    elif isinstance(value, (int, float)):
        test.assertEqual(float(text), float(value), where)  # the same double
    else:
        test.assertEqual(text, value, where)


class Csv(unittest.TestCase):
    # (arguments, the JSON array whose items are the rows)
    CASES = [
        (["positions", "--jd", "2451545"], "bodies"),
        (["positions", "--date", "1600-07-14", "--time", "23:59:59"], "bodies"),
        (["positions", "--date", "2400-02-29", "--time", "00:00:01"], "bodies"),
        (["phases", "--year", "1600"], "phases"),
        (["phases", "--year", "2026"], "phases"),
        (["phases", "--year", "2400"], "phases"),
        (["daylight", "--year", "2026", "--lat", "52.5", "--lon", "13.4", "--tz", "1"], "days"),
        (["daylight", "--year", "2026", "--lat", "-33.9", "--lon", "-70.7", "--tz", "-4.5",
          "--summer-time", "off"], "days"),
        (["daylight", "--year", "1600", "--lat", "69.7", "--lon", "19", "--tz", "1"], "days"),
        (["visibility", "--year", "2026", "--lat", "52.5", "--lon", "13.4", "--tz", "1"], "days"),
        (["visibility", "--year", "2400", "--lat", "69.7", "--lon", "19", "--tz", "1",
          "--summer-time", "off"], "days"),
    ]

    def test_every_value_equals_the_json(self):
        for args, array in self.CASES:
            with self.subTest(args=" ".join(args)):
                document = run_json(args)
                header, rows = read_csv(run(args + ["--format", "csv"]).stdout)
                self.assertEqual(len(set(header)), len(header))
                items = document[array]
                self.assertEqual(len(rows), len(items))
                outer = {k: v for k, v in document.items() if k != array}
                # Every JSON field has its column, besides the flattened array's name.
                self.assertLessEqual(set(outer) | {k for k, _ in flattened(items[0])}, set(header))
                for number, (row, item) in enumerate(zip(rows, items)):
                    fields = dict(zip(header, row))
                    for key, value in list(outer.items()) + flattened(item):
                        same_value(self, fields[key], value, f"row {number} {key}")
                    for key, value in flattened(item):
                        # Instants of the days: UTC beside them, local clock too.
                        if key + "Utc" in fields and value is not None:
                            utc = datetime.datetime.strptime(fields[key + "Utc"], "%Y-%m-%dT%H:%M:%SZ")
                            late = (instant_of(value) - utc.replace(tzinfo=UTC)).total_seconds()
                            self.assertTrue(truncated_to_second(late), f"row {number} {key}")
                            local = instant_of(value) + datetime.timedelta(hours=item["utcOffsetHours"])
                            rounded = (local + datetime.timedelta(seconds=30)).strftime("%H:%M")
                            self.assertEqual(fields[key + "Local"], rounded, f"row {number} {key}")
                    if "utc" in fields:
                        jd = item.get("jd", document.get("jd"))
                        utc = datetime.datetime.strptime(fields["utc"], "%Y-%m-%dT%H:%M:%SZ")
                        late = (instant_of(jd) - utc.replace(tzinfo=UTC)).total_seconds()
                        self.assertTrue(truncated_to_second(late), f"row {number}: utc {fields['utc']}")

    def test_a_field_with_a_comma_or_quote_reads_back(self):
        # No label carries one today; the band codes stay quoted text.
        data = run(["daylight", "--year", "2026", "--format", "csv"]).stdout
        header, rows = read_csv(data)
        bands = header.index("bands")
        self.assertTrue(all(len(r[bands]) == 240 for r in rows))
        self.assertIn(b',"' + rows[0][bands].encode() + b'"', data)


if __name__ == "__main__":
    VELMARIN = sys.argv[1]
    which = {"ics": Ics, "csv": Csv, "output": Output}[sys.argv[2]]
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(which)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)

#!/usr/bin/python3
"""The program in English: every chart mode rendered with --lang en carries
no German word of the program's own texts, nor do the almanac's text tables;
files for programs (JSON, CSV) stay as they are; --lang is refused as the
other options are; the settings file's "lang en" line chooses English, and
without a choice every output is what German gives.

The German words come from the translation file itself: every word of a
source text that no English text uses.

Usage: english_check.py VELMARIN TS_FILE
"""
import os
import re
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

VELMARIN = None
TS_FILE = None

WORD = re.compile(r"[A-Za-zÄÖÜäöüß]{3,}")


def words(text):
    return set(w.lower() for w in WORD.findall(text))


def german_words():
    sources, translations = set(), set()
    for message in ElementTree.parse(TS_FILE).getroot().iter("message"):
        sources |= words(message.findtext("source") or "")
        translations |= words(message.findtext("translation") or "")
    return sources - translations


class Run:
    def __init__(self):
        self.home = tempfile.TemporaryDirectory()

    def __call__(self, args, settings=None, check=True):
        env = dict(os.environ)
        env["XDG_CONFIG_HOME"] = self.home.name
        env["QT_QPA_PLATFORM"] = "offscreen"
        env["LC_ALL"] = "de_DE.UTF-8"
        path = os.path.join(self.home.name, "Velmarin.ini")
        if settings is None:
            if os.path.exists(path):
                os.remove(path)
        else:
            with open(path, "wb") as f:
                f.write(settings)
        result = subprocess.run([VELMARIN] + args, env=env, capture_output=True, timeout=120)
        if check and result.returncode != 0:
            raise AssertionError("%s: status %d: %s" % (args, result.returncode, result.stderr.decode()))
        return result


def svg_text(svg_bytes):
    root = ElementTree.fromstring(svg_bytes)
    return " ".join("".join(node.itertext()) for node in root.iter() if node.tag.endswith("text"))


RENDERS = [
    ["--mode", "normal", "--code", "both"],
    ["--mode", "normal", "--code", "diameter", "--print"],
    ["--mode", "sun", "--code", "brightness"],
    ["--mode", "midnight"],
    ["--mode", "twilight", "--planets", "on", "--moonlight", "on"],
    ["--mode", "twilight", "--zone", "Europe/Berlin", "--print"],
    ["--mode", "twilight", "--tz", "1", "--summer-time", "on", "--size", "700x1100"],
]

TABLES = [
    ["positions", "--date", "2024-03-20", "--time", "12:00"],
    ["phases", "--year", "2026"],
    ["daylight", "--year", "2025", "--lat", "52", "--lon", "9.8"],
    ["daylight", "--year", "2025", "--lat", "52", "--lon", "9.8", "--zone", "Europe/Berlin"],
    ["visibility", "--year", "2025", "--lat", "52", "--lon", "9.8"],
]


class English(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.velmarin = Run()
        cls.german = german_words()
        cls.tmp = tempfile.TemporaryDirectory()

    def render(self, args, lang):
        out = os.path.join(self.tmp.name, "chart.svg")
        extra = ["--lang", lang] if lang else []
        self.velmarin(["render", "--year", "2026", "--output", out] + extra + args)
        with open(out, "rb") as f:
            return f.read()

    def test_word_list_is_meaningful(self):
        # Words every chart shows in German; were they missing, the checks below could not fail.
        for word in ["dämmerung", "achse", "rektaszension", "neumond", "vollmond", "mondlicht", "aufgang"]:
            self.assertIn(word, self.german)

    def test_each_chart_mode_in_english_has_no_german_word(self):
        for args in RENDERS:
            with self.subTest(args=args):
                german_text = svg_text(self.render(args, "de"))
                english_text = svg_text(self.render(args, "en"))
                self.assertTrue(words(german_text) & self.german, "the German chart shows German words")
                self.assertEqual(words(english_text) & self.german, set(), english_text)
                self.assertNotEqual(german_text, english_text)

    def test_english_chart_titles_and_months(self):
        text = svg_text(self.render(["--mode", "normal"], "en"))
        for expected in ["Astronomical calendar 2026", "Mar", "May", "Oct", "Dec", "Right ascension"]:
            self.assertIn(expected, text)
        text = svg_text(self.render(["--mode", "twilight", "--moonlight", "on"], "en"))
        for expected in ["Twilight 2026", "clock time in CET with summer time", "Moonlight", "For location "]:
            self.assertIn(expected, text)

    def test_no_choice_is_german_byte_for_byte(self):
        for args in RENDERS[:2] + RENDERS[4:5]:
            with self.subTest(args=args):
                self.assertEqual(self.render(args, None), self.render(args, "de"))
        for args in TABLES:
            with self.subTest(args=args):
                self.assertEqual(self.velmarin(args).stdout, self.velmarin(args + ["--lang", "de"]).stdout)

    def test_text_tables_in_english_have_no_german_word(self):
        for args in TABLES:
            with self.subTest(args=args):
                german = self.velmarin(args + ["--lang", "de"]).stdout.decode()
                english = self.velmarin(["--lang", "en"] + args).stdout.decode()
                self.assertTrue(words(german) & self.german)
                self.assertEqual(words(english) & self.german, set(), english[:600])
                # Numbers keep their forms: the same digits, line for line.
                digits = lambda text: [re.findall(r"[-+]?\d+[.:]\d+(?:[.:]\d+)*", line) for line in text.splitlines()]
                self.assertEqual(digits(german), digits(english))

    def test_files_for_programs_stay_as_they_are(self):
        for args in [["positions", "--jd", "2451545", "--json"], ["phases", "--year", "2024", "--format", "csv"],
                     ["visibility", "--year", "2025", "--json"], ["daylight", "--year", "2025", "--format", "csv"]]:
            with self.subTest(args=args):
                self.assertEqual(self.velmarin(args).stdout, self.velmarin(args + ["--lang", "en"]).stdout)

    def test_bad_language_is_refused(self):
        for args in [["--lang", "xx", "phases", "--year", "2024"], ["phases", "--year", "2024", "--lang=fr"],
                     ["render", "--output", os.path.join(self.tmp.name, "never.png"), "--lang", "DE"],
                     ["positions", "--jd", "2451545", "--lang"], ["--lang", "xx"], ["--lang", "xx", "--help"]]:
            with self.subTest(args=args):
                result = self.velmarin(args, check=False)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, b"")
                lines = result.stderr.decode().splitlines()
                self.assertEqual(len(lines), 1, lines)
                self.assertTrue(lines[0].startswith("velmarin: --lang"), lines[0])
        self.assertFalse(os.path.exists(os.path.join(self.tmp.name, "never.png")))

    def test_settings_file_line_chooses_and_option_overrides(self):
        settings = b"0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\nlang en\r\nfuture 7\r\n"
        german = self.velmarin(["phases", "--year", "2026"]).stdout
        english = self.velmarin(["phases", "--year", "2026"], settings=settings).stdout
        self.assertIn(b"New moon", english)
        self.assertNotEqual(german, english)
        self.assertEqual(self.velmarin(["phases", "--year", "2026", "--lang", "de"], settings=settings).stdout, german)
        # A code this version does not know counts as German.
        self.assertEqual(self.velmarin(["phases", "--year", "2026"], settings=settings.replace(b"lang en", b"lang xx")).stdout,
                         german)
        # The command line never writes the settings file.
        with open(os.path.join(self.velmarin.home.name, "Velmarin.ini"), "rb") as f:
            self.assertEqual(f.read(), settings.replace(b"lang en", b"lang xx"))


if __name__ == "__main__":
    VELMARIN, TS_FILE = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)

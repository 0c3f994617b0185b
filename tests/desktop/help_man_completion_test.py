#!/usr/bin/env python3
"""The usage that `velmarin --help` prints, the manual page and the bash
completion offer the same subcommands, options and fixed option values.

    help_man_completion_test.py VELMARIN MANUAL_PAGE COMPLETION_SCRIPT

The manual page is read as groff renders it, the completion by running it in
bash with bash-completion loaded, as a shell would.
"""
import os
import re
import shlex
import subprocess
import sys
import unittest

VELMARIN, MANUAL, COMPLETION = (os.path.abspath(p) for p in sys.argv[1:4])

# "--option" optionally followed by its value word; a value word with "|"
# lists the option's fixed values.
OPTION = re.compile(r"(--[a-z][a-z-]*)(?: ([^\s\[\]()|-][^\s\[\]()]*))?")


def options_with_values(text):
    """{option: [fixed values]} of one synopsis block; [] for free or no value."""
    found = {}
    for name, value in OPTION.findall(text):
        found[name] = value.split("|") if "|" in value else []
    return found


def help_blocks():
    """{subcommand: its synopsis text} from the usage; "" holds the lines without one."""
    text = subprocess.run([VELMARIN, "--help"], check=True, capture_output=True, text=True).stdout
    lines = text.splitlines()
    assert lines[0] == "Usage:", lines[0]
    blocks, current = {}, None
    for line in lines[1:]:
        if not line.strip():
            break
        start = re.match(r"  velmarin (?:([a-z][a-z-]*)\b)?", line)
        if start:
            current = start.group(1) or ""
        blocks[current] = blocks.get(current, "") + " " + line.strip()
    return blocks


def rendered_manual():
    result = subprocess.run(
        ["groff", "-man", "-Tutf8", "-P", "-cbou", "-ww", "-rLL=200n", MANUAL],
        check=True, capture_output=True, text=True)
    assert result.stderr == "", "groff warns about the manual page:\n" + result.stderr
    return result.stdout


def manual_sections(text):
    sections, current = {}, None
    for line in text.splitlines():
        if re.match(r"^[A-Z][A-Z ]+$", line):
            current = line.strip()
            sections[current] = []
        elif current:
            sections[current].append(line)
    return sections


def manual_synopsis_blocks(sections):
    blocks, current = {}, None
    for line in sections["SYNOPSIS"]:
        words = line.split()
        if words and words[0] == "velmarin":
            current = words[1] if len(words) > 1 and re.fullmatch(r"[a-z][a-z-]*", words[1]) else ""
        if current is not None:
            blocks[current] = blocks.get(current, "") + " " + line.strip()
    return blocks


def complete(line):
    """What the completion offers for the command line `line` (cursor at its end)."""
    words = []
    for word in shlex.split(line):
        # Bash makes "=" a word of its own (it is in COMP_WORDBREAKS).
        left, equals, right = word.partition("=")
        words += [left, "=", right] if equals and right else [left, "="] if equals else [left]
    if line.endswith(" "):
        words.append("")
    script = f"""
source /usr/share/bash-completion/bash_completion
source {shlex.quote(COMPLETION)}
COMP_LINE={shlex.quote(line)}
COMP_POINT=${{#COMP_LINE}}
COMP_WORDS=({' '.join(shlex.quote(w) for w in words)})
COMP_CWORD={len(words) - 1}
COMPREPLY=()
_velmarin velmarin "${{COMP_WORDS[COMP_CWORD]}}" "${{COMP_WORDS[COMP_CWORD-1]}}"
printf '%s\\n' "${{COMPREPLY[@]}}"
"""
    env = dict(os.environ, PATH=os.path.dirname(VELMARIN) + os.pathsep + os.environ.get("PATH", ""))
    if os.path.basename(VELMARIN) != "velmarin":
        raise unittest.SkipTest("the completion runs the program by the name velmarin")
    result = subprocess.run(["bash", "--norc", "--noprofile", "-c", script],
                            check=True, capture_output=True, text=True, env=env)
    return sorted(word for word in result.stdout.splitlines() if word)


class HelpManualCompletionTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.help = {name: options_with_values(text) for name, text in help_blocks().items()}
        sections = manual_sections(rendered_manual())
        cls.sections = sections
        cls.manual = {name: options_with_values(text)
                      for name, text in manual_synopsis_blocks(sections).items()}

    def test_help_lists_subcommands(self):
        # A parse that found nothing would make every comparison below vacuous.
        self.assertIn("render", self.help)
        self.assertIn("--output", self.help["render"])
        self.assertEqual(self.help[""].keys(), {"--help", "--version"})

    def test_manual_synopsis_matches_help(self):
        self.assertEqual(sorted(self.manual), sorted(self.help))
        for subcommand, options in self.help.items():
            with self.subTest(subcommand=subcommand or "(none)"):
                self.assertEqual(self.manual[subcommand], options)

    def test_manual_describes_every_option(self):
        described = set()
        for line in self.sections["OPTIONS"]:
            if re.match(r"^ {7}--", line):
                described.update(re.findall(r"--[a-z][a-z-]*", line))
        everything = set().union(*(options.keys() for options in self.help.values()))
        self.assertEqual(described, everything)

    def test_manual_describes_every_subcommand(self):
        described = {line.split()[0] for line in self.sections["COMMANDS"]
                     if re.match(r"^ {7}[a-z]", line)}
        self.assertEqual(described, set(self.help) - {""})

    def test_completion_offers_subcommands(self):
        self.assertEqual(complete("velmarin "), sorted(set(self.help) - {""}))
        self.assertEqual(complete("velmarin --"), sorted(self.help[""]))

    def test_completion_offers_each_subcommands_options(self):
        for subcommand, options in self.help.items():
            if not subcommand:
                continue
            with self.subTest(subcommand=subcommand):
                self.assertEqual(complete(f"velmarin {subcommand} "), sorted(options))

    def test_completion_leaves_out_options_already_given(self):
        options = sorted(self.help["render"])
        self.assertEqual(complete("velmarin render --print --year 2026 --"),
                         [o for o in options if o not in ("--print", "--year")])

    def test_completion_offers_fixed_values(self):
        cases = [(subcommand, option, values)
                 for subcommand, options in self.help.items() if subcommand
                 for option, values in options.items() if values]
        self.assertTrue(cases)
        for subcommand, option, values in cases:
            with self.subTest(subcommand=subcommand, option=option):
                self.assertEqual(complete(f"velmarin {subcommand} {option} "), sorted(values))
                # The --option=value form too, narrowed by what is typed.
                first = values[0]
                self.assertEqual(complete(f"velmarin {subcommand} {option}={first[:1]}"),
                                 sorted(v for v in values if v.startswith(first[:1])))

    def test_completion_offers_nothing_for_free_values(self):
        self.assertEqual(complete("velmarin render --year "), [])
        self.assertEqual(complete("velmarin nosuchcommand --"), [])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)

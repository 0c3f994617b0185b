#!/usr/bin/env python3
"""Runs the program against the faults a user's machine has and counts outcomes.

Usage: scripts/fault-sweep.py BUILD/velmarin

Full disks are imitated by a file size limit (SIGXFSZ ignored, so writes fail
with EFBIG), which needs no root. For every case it checks: the exit status
agrees with what happened to the file (0 only with a complete new file), an
older file is never lost or replaced by a broken one, no temporary file is
left, stderr is exactly one line on failure (nothing on success), and nothing
not a regular file is replaced. Prints one line per failed check and the sums.
"""
import os
import resource
import signal
import stat
import subprocess
import sys
import tempfile

BINARY = os.path.abspath(sys.argv[1])
OLD = b"old good file " * 400  # 5.6 KB, not a valid image on purpose: any change shows


def complete(data, fmt):
    if fmt == "png":
        return data.startswith(b"\x89PNG\r\n\x1a\n") and data.endswith(b"IEND\xaeB`\x82")
    if fmt == "svg":
        return data.lstrip().startswith(b"<?xml") and data.rstrip().endswith(b"</svg>")
    return data.startswith(b"%PDF") and data.rstrip().endswith(b"%%EOF")


def run(args, cwd, config, limit=None, stdout=None):
    def child():
        if limit is not None:
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))

    env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="offscreen")
    proc = subprocess.run([BINARY] + args, cwd=cwd, env=env, preexec_fn=child,
                          stdout=stdout if stdout is not None else subprocess.PIPE,
                          stderr=subprocess.PIPE, timeout=120)
    return proc.returncode, proc.stdout or b"", proc.stderr


class Sweep:
    def __init__(self):
        self.cases = 0
        self.problems = []
        self.counts = {}

    def count(self, key):
        self.counts[key] = self.counts.get(key, 0) + 1

    def problem(self, name, text):
        self.problems.append(f"{name}: {text}")

    def check_stderr(self, name, status, err):
        lines = err.count(b"\n")
        if status == 0 and err:
            self.problem(name, f"success with stderr {err[:200]!r}")
        if status != 0:
            if lines != 1 or not err.endswith(b"\n") or not err.startswith(b"velmarin: "):
                self.problem(name, f"stderr is not one line: {err[:300]!r}")
            if len(err) > 600:
                self.problem(name, f"stderr line of {len(err)} bytes")
            if any(c < 0x20 and c != 0x0a for c in err) or 0x7f in err:
                self.problem(name, "control character on stderr")
        self.count(f"stderr lines={lines}")


def full_disk(sweep, root):
    """Renders under file size limits: over an older file and onto a new name."""
    limits = [0, 512, 2048, 8192, 16384, 49152, 131072, None]
    sizes = ["200x150", "1280x960"]
    for fmt in ("png", "svg", "pdf"):
        for size in sizes:
            for limit in limits:
                for over_old in (True, False):
                    sweep.cases += 1
                    name = f"fulldisk {fmt} {size} limit={limit} old={over_old}"
                    work = tempfile.mkdtemp(dir=root)
                    target = os.path.join(work, "chart." + fmt)
                    if over_old:
                        with open(target, "wb") as f:
                            f.write(OLD)
                    status, _, err = run(["render", "--output", "chart." + fmt, "--size", size],
                                         work, os.path.join(root, "noconfig"), limit)
                    sweep.check_stderr(name, status, err)
                    left = sorted(os.listdir(work))
                    if left not in ([], ["chart." + fmt]):
                        sweep.problem(name, f"left behind: {left}")
                    data = open(target, "rb").read() if os.path.exists(target) else None
                    if status == 0:
                        sweep.count("render ok")
                        if data is None or not complete(data, fmt):
                            sweep.problem(name, "status 0 without a complete file")
                    else:
                        sweep.count(f"render failed status={status}")
                        if over_old and data != OLD:
                            sweep.problem(name, "older file lost or changed")
                        if not over_old and data is not None:
                            sweep.problem(name, "a file appeared despite the failure")


def targets(sweep, root):
    """Things in the output's place that are no regular file, and links."""
    def fifo(w):
        os.mkfifo(os.path.join(w, "out.svg"))
        return "out.svg"

    def directory(w):
        os.mkdir(os.path.join(w, "out.pdf"))
        return "out.pdf"

    # Root gets device nodes of its own: a faulty program run as root would
    # otherwise replace the system's /dev/null (a sweep of an older build did).
    def device(w, name, minor):
        path = os.path.join(w, name)
        try:
            os.mknod(path, 0o666 | stat.S_IFCHR, os.makedev(1, minor))
            return path
        except PermissionError:
            return "/dev/" + name

    def null_link(w):
        os.symlink(device(w, "null", 3), os.path.join(w, "out.png"))
        return "out.png"

    def zero_link(w):
        os.symlink(device(w, "zero", 5), os.path.join(w, "out.svg"))
        return "out.svg"

    def dangling(w):
        os.symlink("missing.png", os.path.join(w, "out.png"))
        return "out.png"

    def loop(w):
        os.symlink("out.png", os.path.join(w, "out.png"))
        return "out.png"

    def socket_file(w):
        import socket
        s = socket.socket(socket.AF_UNIX)
        s.bind(os.path.join(w, "out.png"))
        s.close()
        return "out.png"

    def missing_folder(w):
        return "no/such/out.png"

    def control_name(w):
        return "no/\x1b[31mred\nline\r.png"

    refusals = [fifo, directory, null_link, zero_link, dangling, loop, socket_file,
                missing_folder, control_name]
    for make in refusals:
        sweep.cases += 1
        name = f"target {make.__name__}"
        work = tempfile.mkdtemp(dir=root)
        output = make(work)
        path = os.path.join(work, output)
        before = os.lstat(path) if os.path.lexists(path) else None
        listing = sorted(os.listdir(work))
        try:
            status, _, err = run(["render", "--output", output, "--size", "200x150"], work,
                                 os.path.join(root, "noconfig"))
        except subprocess.TimeoutExpired:
            sweep.problem(name, "hung")
            continue
        sweep.check_stderr(name, status, err)
        after = os.lstat(path) if os.path.lexists(path) else None
        if status != 2:
            sweep.problem(name, f"status {status}, expected a refusal")
        if (before is None) != (after is None) or (before and stat.S_IFMT(before.st_mode) != stat.S_IFMT(after.st_mode)):
            sweep.problem(name, "the thing in the output's place was replaced")
        if sorted(os.listdir(work)) != listing:
            sweep.problem(name, "files left behind")
        for dev in ("/dev/null", "/dev/zero"):
            if not stat.S_ISCHR(os.stat(dev).st_mode):
                sweep.problem(name, f"{dev} is no longer a device")
        sweep.count("refused" if status == 2 else "not refused")

    # Links to regular files are written through and stay links.
    for fmt in ("png", "svg", "pdf"):
        for limit in (None, 2048):
            sweep.cases += 1
            name = f"link-through {fmt} limit={limit}"
            work = tempfile.mkdtemp(dir=root)
            os.mkdir(os.path.join(work, "real"))
            real = os.path.join(work, "real", "chart." + fmt)
            with open(real, "wb") as f:
                f.write(OLD)
            os.symlink("real/chart." + fmt, os.path.join(work, "link." + fmt))
            status, _, err = run(["render", "--output", "link." + fmt, "--size", "200x150"], work,
                                 os.path.join(root, "noconfig"), limit)
            sweep.check_stderr(name, status, err)
            if not os.path.islink(os.path.join(work, "link." + fmt)):
                sweep.problem(name, "the link became a file")
            data = open(real, "rb").read()
            if status == 0 and not complete(data, fmt):
                sweep.problem(name, "status 0 without a complete file")
            if status != 0 and data != OLD:
                sweep.problem(name, "older file lost")
            if os.listdir(os.path.join(work, "real")) != ["chart." + fmt]:
                sweep.problem(name, "files left behind")
            sweep.count("link ok" if status == 0 else "link write failed cleanly")


def standard_output(sweep, root):
    work = tempfile.mkdtemp(dir=root)
    for fmt in ("png", "svg", "pdf"):
        sweep.cases += 1
        name = f"stdout {fmt}"
        status, out, err = run(["render", "--output", "-", "--format", fmt, "--size", "200x150"], work,
                               os.path.join(root, "noconfig"))
        sweep.check_stderr(name, status, err)
        if status != 0 or not complete(out, fmt):
            sweep.problem(name, f"status {status}, complete={complete(out, fmt)}")
        sweep.cases += 1
        with open("/dev/full", "wb") as full:
            status, _, err = run(["render", "--output", "-", "--format", fmt, "--size", "200x150"], work,
                                 os.path.join(root, "noconfig"), stdout=full)
        sweep.check_stderr(name + " /dev/full", status, err)
        if status == 0:
            sweep.problem(name + " /dev/full", "reported success")
    if os.listdir(work):
        sweep.problem("stdout", "files written")


def settings(sweep, root):
    """Settings files the program cannot read, and values beyond the command line's limits."""
    for kind in ("directory", "fifo"):
        sweep.cases += 1
        name = f"unreadable settings ({kind})"
        config = tempfile.mkdtemp(dir=root)
        path = os.path.join(config, "Velmarin.ini")
        os.mkdir(path) if kind == "directory" else os.mkfifo(path)
        try:
            status, out, err = run(["daylight", "--year", "2026", "--json"], config, config)
        except subprocess.TimeoutExpired:
            sweep.problem(name, "hung")
            continue
        if status != 0 or err.count(b"\n") != 1 or b"cannot read the settings file" not in err:
            sweep.problem(name, f"status {status}, stderr {err[:200]!r}")
        if (kind == "directory") != os.path.isdir(path) or (kind == "fifo") != stat.S_ISFIFO(os.lstat(path).st_mode):
            sweep.problem(name, "settings file replaced")

    lines2 = {"lat 1e308": "1e308 9.8 1.0", "lat 90.000001": "90.000001 9.8 1.0",
              "lat -91": "-91 9.8 1.0", "lon 180.5": "52 180.5 1.0", "lon -1e300": "52 -1e300 1.0",
              "tz 25": "52 9.8 25", "tz -24.5": "52 9.8 -24.5", "edges": "90 -180 24",
              "other edges": "-90 180 -24"}
    for label, line in lines2.items():
        for command, override in (("daylight", []), ("render", ["--output", "x.png", "--size", "100x80"])):
            sweep.cases += 1
            name = f"settings {label} {command}"
            config = tempfile.mkdtemp(dir=root)
            text = ("0 0 0 1 0 1 1\r\n" + line + "\r\n").encode()
            with open(os.path.join(config, "Velmarin.ini"), "wb") as f:
                f.write(text)
            args = [command, "--year", "2026"] + override + (["--json"] if command == "daylight" else [])
            status, out, err = run(args, config, config)
            sweep.check_stderr(name, status, err)
            inside = label.endswith("edges")
            if inside and status != 0:
                sweep.problem(name, f"refused a value within the limits: {err[:200]!r}")
            if not inside:
                if status != 2 or b"settings file" not in err or out:
                    sweep.problem(name, f"status {status}: {err[:200]!r}")
                if os.path.exists(os.path.join(config, "x.png")):
                    sweep.problem(name, "wrote a chart despite the refusal")
            if open(os.path.join(config, "Velmarin.ini"), "rb").read() != text:
                sweep.problem(name, "settings file changed")


def messages(sweep, root):
    """Bad input that must give one clear line."""
    work = tempfile.mkdtemp(dir=root)
    cases = [
        (["positions", "--jd", "9" * 400], b"out of range"),
        (["positions", "--jd", "-1e400"], b"out of range"),
        (["phases", "--year", "9" * 23], b"out of range"),
        (["phases", "--year", "-" + "9" * 23], b"out of range"),
        (["positions", "--date", "9" * 23 + "-01-01"], b"out of range"),
        (["daylight", "--lat", "x" * 100000], b"bytes)"),
        (["render", "--output", "a.png", "--mode", "\x1b]0;title\x07"], b"\\x1b"),
        (["render", "--output", "a\nb.gif"], b"\\n"),
        (["render", "--output", "-"], b"--format"),
        (["render", "--output", "a.png", "--format", "svg"], b"does not match"),
        (["daylight", "--lat", "nan"], b"not a number"),
        (["phases", "--year", "12x"], b"not a whole number"),
    ]
    for args, expected in cases:
        sweep.cases += 1
        name = "message " + repr(args)[:80]
        status, out, err = run(args, work, os.path.join(root, "noconfig"))
        sweep.check_stderr(name, status, err)
        if status != 2 or expected not in err or out:
            sweep.problem(name, f"status {status}: {err[:200]!r}")
    if os.listdir(work):
        sweep.problem("messages", "files written")


def main():
    sweep = Sweep()
    with tempfile.TemporaryDirectory(prefix="velmarin-sweep-") as root:
        os.mkdir(os.path.join(root, "noconfig"))
        for part in (full_disk, targets, standard_output, settings, messages):
            part(sweep, root)
    for line in sweep.problems:
        print("PROBLEM", line)
    for key in sorted(sweep.counts):
        print(f"{key}: {sweep.counts[key]}")
    print(f"cases: {sweep.cases}, problems: {len(sweep.problems)}")
    return 1 if sweep.problems else 0


if __name__ == "__main__":
    sys.exit(main())

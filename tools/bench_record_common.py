# SPDX-License-Identifier: GPL-3.0-or-later
"""What tools/bench-live-load and tools/bench-record-cpu share: building the programs, a
throw-away home per run, simulators on pseudo-terminals, kelvor-record itself, a process's CPU
time and memory, the journals' rows and the machine the figures were measured on."""

import csv
import os
import platform
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
TICKS = os.sysconf("SC_CLK_TCK")


def fail(tool, message):
    print(f"{tool}: {message}", file=sys.stderr)
    sys.exit(1)


def build(targets):
    """The default preset's programs, or those of the build folder in KELVOR_BUILD (unbuilt)."""
    if os.environ.get("KELVOR_BUILD"):
        return Path(os.environ["KELVOR_BUILD"]) / "bin"
    subprocess.run(["cmake", "--preset", "default"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "default", "--target", *targets], cwd=ROOT,
                   check=True)
    return ROOT / "build" / "default" / "bin"


def cpu_seconds(pid):
    """User plus system time of process pid so far."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def memory_kb(pid, key):
    """VmRSS (now) or VmHWM (peak) of process pid in kB."""
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith(key + ":"):
            return int(line.split()[1])
    return 0


def machine():
    model = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo")
                  if line.startswith("model name")), platform.machine())
    release = dict(line.rstrip().split("=", 1) for line in open("/etc/os-release") if "=" in line)
    return (f"{os.cpu_count()} cores, {model}, {release.get('PRETTY_NAME', '').strip(chr(34))}; "
            f"load average {' '.join(open('/proc/loadavg').read().split()[:3])}")


def spread(values, unit, digits=2):
    """'median 1.23 unit (1.10 .. 1.40)' of the runs' figures."""
    return (f"median {statistics.median(values):.{digits}f} {unit} "
            f"({min(values):.{digits}f} .. {max(values):.{digits}f})")


class Run:
    """One run's home (configuration, data and runtime folders), its simulators and its
    recorder; ended and removed on leaving."""

    def __init__(self, tool, programs):
        self.tool = tool
        self.programs = programs
        self.home = Path(tempfile.mkdtemp(prefix="kelvor-bench-"))
        self.env = dict(os.environ, LC_ALL="C", XDG_CONFIG_HOME=str(self.home / "config"),
                        XDG_DATA_HOME=str(self.home / "data"),
                        XDG_RUNTIME_DIR=str(self.home / "runtime"))
        for folder in ("config", "data", "runtime"):
            (self.home / folder).mkdir(mode=0o700)
        self.processes = []
        self.recorder = None

    def __enter__(self):
        return self

    def __exit__(self, *_):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.kill()
                process.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def simulator(self, port, arguments):
        """A simulated meter linked as COM<port>; waits for the link."""
        log = open(self.home / f"metersim{port}.out", "w")
        self.processes.append(subprocess.Popen(
            [str(self.programs / "kelvor-metersim"), "--port", str(port), *arguments],
            env=self.env, stdout=log, stderr=subprocess.STDOUT))
        link = self.home / "config" / "Kelvor" / "ports" / f"COM{port}"
        for _ in range(100):
            if link.exists():
                return
            time.sleep(0.05)
        fail(self.tool, f"simulator {port} did not start")

    def record(self, arguments):
        """kelvor-record with the arguments, in English; waits for every journal's first row."""
        self.recorder = subprocess.Popen(
            [str(self.programs / "kelvor-record"), "--language", "en", "--quiet", *arguments],
            env=self.env, stdout=open(self.home / "record.out", "w"), stderr=subprocess.STDOUT)
        self.processes.append(self.recorder)
        meters = sum(1 for a in arguments if a == "--port")
        for _ in range(150):
            if len(self.journals()) == meters and all(len(rows) >= 1 for rows in self.rows()):
                return
            if self.recorder.poll() is not None:
                break
            time.sleep(0.1)
        fail(self.tool, "no reading journalled after 15 s: "
             + (self.home / "record.out").read_text())

    def stop_recorder(self):
        """Ends the recording as a service is stopped; false when it did not end cleanly."""
        self.recorder.send_signal(signal.SIGTERM)
        try:
            return self.recorder.wait(timeout=15) == 0
        except subprocess.TimeoutExpired:
            return False

    def journals(self):
        folder = self.home / "data" / "Kelvor" / "recordings"
        return sorted(folder.glob("*.csv*")) if folder.exists() else []

    def rows(self):
        """Each journal's rows as lists of fields (the header left out)."""
        tables = []
        for journal in self.journals():
            lines = journal.read_text(errors="replace").splitlines()
            tables.append([row for row in csv.reader(lines[1:]) if row])
        return tables

    def largest_gaps(self):
        """Each journal's largest step in seconds between one row's UTC time and the next."""
        gaps = []
        for journal, rows in zip(self.journals(), self.rows()):
            header = next(csv.reader(journal.read_text().splitlines()[:1]))
            column = header.index("utc")
            times = [utc_seconds(row[column]) for row in rows]
            gaps.append(max((b - a for a, b in zip(times, times[1:])), default=0.0))
        return gaps


def utc_seconds(text):
    """'2026-12-08T15:37:48.120Z' as seconds since the epoch."""
    from datetime import datetime, timezone
    stamp = datetime.strptime(text.strip('"'), "%Y-%m-%dT%H:%M:%S.%fZ")
    return stamp.replace(tzinfo=timezone.utc).timestamp()

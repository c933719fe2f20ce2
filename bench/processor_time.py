#!/usr/bin/env python3
"""Measures commands by processor time (user + system, from wait4), which a
shared machine compares fairly, with wall time beside it: the median of
several runs each, and the peak memory of the largest run. The peak comes
from GNU time started in between, so that it is the command's own and not
this script's, which a forked child would carry into its exec.

Usage: processor_time.py [--runs N] [--page FILE] COMMAND...
Each COMMAND is one shell word list, e.g. "build/bin/vorelind-cli indent p.html".
Its standard output and error are thrown away, as hyperfine's
--output=null does, so that a command's time is its own work. With --page, the peak is also given as a multiple of
that file's size.
"""

import argparse
import os
import shlex
import statistics
import sys
import tempfile
import time


def run_once(words, peak_file):
    """Runs a command to its end; returns (processor s, wall s, peak KiB, status)."""
    words = ["/usr/bin/time", "--format=%M", f"--output={peak_file}", *words]
    started = time.monotonic()
    pid = os.fork()
    if pid == 0:
        discard = os.open(os.devnull, os.O_WRONLY)
        os.dup2(discard, 1)
        os.dup2(discard, 2)
        os.close(0)
        try:
            os.execvp(words[0], words)
        finally:
            os._exit(127)
    _, status, usage = os.wait4(pid, 0)
    wall = time.monotonic() - started
    with open(peak_file) as peak:
        peak_kib = int(peak.read().split()[-1])
    return usage.ru_utime + usage.ru_stime, wall, peak_kib, os.waitstatus_to_exitcode(status)


def summary(results):
    """The medians of a command's runs, its peak and its exit status."""
    statuses = {result[3] for result in results}
    return {
        "processor": statistics.median(result[0] for result in results),
        "wall": statistics.median(result[1] for result in results),
        "peak_kib": max(result[2] for result in results),
        "status": statuses.pop() if len(statuses) == 1 else sorted(statuses),
        "runs": [result[0] for result in results],
    }


def measure(command, runs, peak_file):
    """The medians of a command's runs after one warm-up run, and its peak."""
    return measure_side_by_side({command: command}, runs, peak_file)[command]


def measure_side_by_side(commands, runs, peak_file, before_run=lambda name: None):
    """Runs named commands in turns, each once a round after a warm-up round,
    so that the machine's speed, which drifts while others work on it, weighs
    on all of them alike; returns each one's summary by its name. before_run
    is called with a name ahead of each of its runs."""
    words = {name: shlex.split(command) for name, command in commands.items()}
    results = {name: [] for name in commands}
    for round_number in range(runs + 1):
        for name in commands:
            before_run(name)
            result = run_once(words[name], peak_file)
            if round_number > 0:
                results[name].append(result)
    return {name: summary(runs_of) for name, runs_of in results.items()}


def median_ratio(result, base):
    """The median of the ratios of two commands' processor times, round by
    round: steadier than the ratio of their medians."""
    return statistics.median(mine / theirs for mine, theirs in zip(result["runs"], base["runs"]))


def report(command, result, page_bytes):
    line = (f"{result['processor'] * 1000:9.1f} ms cpu {result['wall'] * 1000:9.1f} ms wall"
            f" {result['peak_kib']:9d} KiB peak")
    if page_bytes:
        line += f" ({result['peak_kib'] * 1024 / page_bytes:.2f} x the page)"
    if result["status"] != 0:
        line += f" exit {result['status']}"
    print(f"{line}  {command}", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--page")
    parser.add_argument("commands", nargs="+")
    arguments = parser.parse_args()
    page_bytes = os.path.getsize(arguments.page) if arguments.page else None

    with tempfile.NamedTemporaryFile(prefix="peak-") as peak_file:
        for command in arguments.commands:
            report(command, measure(command, arguments.runs, peak_file.name), page_bytes)
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Measures commands by processor time (user + system, from wait4), which a
shared machine compares fairly, with wall time beside it: the median of
several runs each, and the peak memory of the largest run.

The timed runs are spawned straight (posix_spawn, which copies nothing of
this script), so that a run's time is the command's own: a forked Python
child, or a wrapper between, would add milliseconds of its own start and
end to every run. The peak comes from runs of GNU time in between, before
and after the timed ones, since a spawned child carries this script's
peak into its exec.

Usage: processor_time.py [--runs N] [--page FILE] COMMAND...
Each COMMAND is one shell word list, e.g. "build/bin/vorelind-cli indent p.html".
Its standard output and error are thrown away, as hyperfine's
--output=null does. With --page, the peak is also given as a multiple of
that file's size.
"""

import argparse
import os
import shlex
import statistics
import sys
import tempfile
import time


def spawned(words):
    """Starts a command with its output thrown away and no input; its pid."""
    actions = [
        (os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
        (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0),
        (os.POSIX_SPAWN_CLOSE, 0),
    ]
    return os.posix_spawnp(words[0], words, os.environ, file_actions=actions)


def run_once(words):
    """Runs a command to its end; returns (processor s, wall s, status)."""
    started = time.monotonic()
    _, status, usage = os.wait4(spawned(words), 0)
    wall = time.monotonic() - started
    return usage.ru_utime + usage.ru_stime, wall, os.waitstatus_to_exitcode(status)


def peak_once(words, peak_file):
    """Runs a command to its end under GNU time; returns its peak in KiB."""
    os.waitpid(spawned(["/usr/bin/time", "--format=%M", f"--output={peak_file}", *words]), 0)
    with open(peak_file) as peak:
        return int(peak.read().split()[-1])


def summary(results, peaks):
    """The medians of a command's runs, its peak and its exit status."""
    statuses = {result[2] for result in results}
    return {
        "processor": statistics.median(result[0] for result in results),
        "wall": statistics.median(result[1] for result in results),
        "peak_kib": max(peaks),
        "status": statuses.pop() if len(statuses) == 1 else sorted(statuses),
        "runs": [result[0] for result in results],
    }


def measure(command, runs, peak_file):
    """The medians of a command's runs, and its peak."""
    return measure_side_by_side({command: command}, runs, peak_file)[command]


def measure_side_by_side(commands, runs, peak_file, before_run=lambda name: None):
    """Runs named commands in turns, each once a round, so that the
    machine's speed, which drifts while others work on it, weighs on all of
    them alike; returns each one's summary by its name. A round under GNU
    time before the timed rounds warms up and takes the peaks, and one after
    takes them again. before_run is called with a name ahead of each run."""
    words = {name: shlex.split(command) for name, command in commands.items()}
    results = {name: [] for name in commands}
    peaks = {name: [] for name in commands}

    def peak_round():
        for name in commands:
            before_run(name)
            peaks[name].append(peak_once(words[name], peak_file))

    peak_round()
    for _ in range(runs):
        for name in commands:
            before_run(name)
            results[name].append(run_once(words[name]))
    peak_round()
    return {name: summary(results[name], peaks[name]) for name in commands}


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

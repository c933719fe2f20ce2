#!/usr/bin/env python3
"""Measures vorelind-cli against its targets on pages of unclosed <p>, <li>
and <br>, in processor time (medians, wall time beside it) and peak memory:

  indent            >= 20x faster than xmllint --html --format --huge,
                    peak <= 1.3x the page (<= 1.5x with --sjis)
  tree              <= 1.2x indent's time, peak <= 2.5x the page
  unmatched         <= 0.5x indent's time
  indent --run-log  reported beside indent

vorelind-cli's commands run in turns, a round at a time, and each of their
time targets is the median of the rounds' ratios, so that the drifting speed
of a shared machine weighs on both sides of a ratio alike; xmllint runs
after them. Per megabyte figures
side by side show whether a larger page stays linear.
Each peak is also given above the process's own floor (its peak on a page
of a few bytes: the shared libraries it maps), which is what the page costs.

Usage: machine_targets.py [--runs N] [--cli PATH] [SIZE_MB ...]   (default: 10 200)
Needs: a build of vorelind-cli, and the Debian packages libxml2-utils and time.
"""

import argparse
import os
import subprocess
import sys
import tempfile

from processor_time import measure, measure_side_by_side, median_ratio

BENCH = os.path.dirname(os.path.abspath(__file__))


def unclosed_page(size_mb):
    page = os.path.join(BENCH, "data", f"unclosed{size_mb}.html")
    if not os.path.exists(page):
        os.makedirs(os.path.dirname(page), exist_ok=True)
        subprocess.run([sys.executable, os.path.join(BENCH, "generate_unclosed_page.py"), str(size_mb), page],
                       check=True)
    return page


def verdict(value, limit, at_most=True):
    met = value <= limit if at_most else value >= limit
    return "met" if met else "MISSED"


def floor_kib(cli, runs, peak_file, work):
    tiny = os.path.join(work, "tiny.html")
    with open(tiny, "wb") as page:
        page.write(b"<p>a</p>\r\n")
    return measure(f"{cli} indent {tiny}", runs, peak_file)["peak_kib"]


def measure_page(cli, page, runs, peak_file, work, floor):
    page_bytes = os.path.getsize(page)
    run_log = os.path.join(work, "runlog.log")
    commands = {
        "indent": f"{cli} indent {page}",
        "indent --sjis": f"{cli} indent --sjis {page}",
        "tree": f"{cli} tree {page}",
        "unmatched": f"{cli} unmatched {page}",
        "indent --run-log": f"{cli} indent --run-log {run_log} {page}",
    }

    def before_run(_name):
        # The run log is deleted before whatever runs next: so each one is
        # written afresh, and its unwritten pages, gigabytes of them on a
        # large page, are dropped instead of being written out while the
        # next commands run.
        if os.path.exists(run_log):
            os.remove(run_log)

    results = measure_side_by_side(commands, runs, peak_file, before_run)
    # xmllint runs on its own: the gigabyte or more that it frees costs the
    # command after it a fault for every fresh page it writes on a virtual
    # machine, whose host has taken those pages back.
    results["xmllint"] = measure(f"xmllint --html --format --huge {page}", runs, peak_file)
    for name, result in results.items():
        print(f"  {name:18} {result['processor'] * 1000:9.1f} ms cpu {result['wall'] * 1000:9.1f} ms wall"
              f" {result['processor'] * 1000 * 1e6 / page_bytes:7.2f} ms/MB"
              f" {result['peak_kib'] * 1024 / page_bytes:6.2f}x the page"
              f" ({(result['peak_kib'] - floor) * 1024 / page_bytes:.2f}x above the floor)", flush=True)
    return results, page_bytes


def report_targets(results, page_bytes):
    # Time against indent's is the median of the rounds' ratios; xmllint's,
    # measured apart, the ratio of the medians.
    def time(name):
        if name == "xmllint":
            return results[name]["processor"] / results["indent"]["processor"]
        return median_ratio(results[name], results["indent"])

    def peak(name):
        return results[name]["peak_kib"] * 1024 / page_bytes

    rows = [
        ("xmllint / indent time", time("xmllint"), 20, False),
        ("indent peak / page", peak("indent"), 1.3, True),
        ("indent --sjis peak / page", peak("indent --sjis"), 1.5, True),
        ("tree / indent time", time("tree"), 1.2, True),
        ("tree peak / page", peak("tree"), 2.5, True),
        ("unmatched / indent time", time("unmatched"), 0.5, True),
        ("run log / indent time", time("indent --run-log"), None, True),
    ]
    for label, value, limit, at_most in rows:
        target = "" if limit is None else f"{'<=' if at_most else '>='} {limit:<5} {verdict(value, limit, at_most)}"
        print(f"  {label:28} {value:7.2f}  {target}")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--cli", default=os.path.join(BENCH, "..", "build", "bin", "vorelind-cli"))
    parser.add_argument("sizes", nargs="*", type=int, default=[10, 200])
    arguments = parser.parse_args()

    with tempfile.TemporaryDirectory(prefix="machine-targets-") as work:
        # Every program started here gets its own settings.
        os.environ["XDG_CONFIG_HOME"] = os.path.join(work, "config")
        peak_file = os.path.join(work, "peak")
        floor = floor_kib(arguments.cli, arguments.runs, peak_file, work)
        print(f"The process's floor: {floor} KiB")
        for size in arguments.sizes:
            page = unclosed_page(size)
            print(f"== {os.path.relpath(page)}: {os.path.getsize(page)} bytes")
            report_targets(*measure_page(arguments.cli, page, arguments.runs, peak_file, work, floor))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""The window's folder watcher over bursts of files made and removed.

Starts the window on a page in an empty folder, so that the file list shows
that folder, then makes FILES files there and removes them again, BURSTS
times. Prints, per burst, the processor time (user + system) the window took
while the folder churned against the wall time of the churn, and its
resident memory once the burst has settled; at the end, the processor time
the window takes at rest. The program runs from a copy in a folder of its
own, with its own settings and data folders, on the offscreen platform.

Usage: bench/watcher-bursts.py [PROGRAM] [BURSTS] [FILES]
       (default: build/bin/vorelind 5 20000)
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

TICKS = os.sysconf("SC_CLK_TCK")


def processor_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def churn(folder, count):
    names = [os.path.join(folder, f"f{index:06d}.htm") for index in range(count)]
    for name in names:
        with open(name, "w") as file:
            file.write("<p>")
    for name in names:
        os.remove(name)


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else "build/bin/vorelind"
    bursts = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 20000
    with tempfile.TemporaryDirectory() as work:
        for name in ("bin", "config", "data", "folder"):
            os.mkdir(os.path.join(work, name))
        copy = os.path.join(work, "bin", "vorelind")
        shutil.copy(program, copy)
        # An empty excluded-tag list, so that no message box waits at start.
        open(os.path.join(work, "bin", "ignore.trm"), "w").close()
        folder = os.path.join(work, "folder")
        page = os.path.join(folder, "page.htm")
        with open(page, "w") as file:
            file.write("<p>x</p>\n")
        environment = dict(os.environ, QT_QPA_PLATFORM="offscreen",
                           XDG_CONFIG_HOME=os.path.join(work, "config"),
                           XDG_DATA_HOME=os.path.join(work, "data"))
        window = subprocess.Popen([copy, page], env=environment, cwd=work)
        try:
            time.sleep(3)
            print(f"start: resident {resident_kib(window.pid)} KiB")
            for burst in range(1, bursts + 1):
                before = processor_seconds(window.pid)
                started = time.monotonic()
                churn(folder, count)
                wall = time.monotonic() - started
                busy = processor_seconds(window.pid) - before
                time.sleep(2)
                settling = resident_kib(window.pid)
                time.sleep(3)
                print(f"burst {burst}: {count} files made and removed in {wall:.2f} s, "
                      f"window processor {busy:.2f} s ({100 * busy / wall:.0f} %), "
                      f"resident after 2 s {settling} KiB, after 5 s {resident_kib(window.pid)} KiB")
            before = processor_seconds(window.pid)
            time.sleep(3)
            print(f"at rest: window processor {processor_seconds(window.pid) - before:.2f} s in 3 s")
        finally:
            window.send_signal(signal.SIGTERM)
            window.wait()


if __name__ == "__main__":
    main()

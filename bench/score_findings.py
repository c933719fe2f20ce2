#!/usr/bin/env python3
"""Scores the findings of `vorelind-cli unmatched` on several files against
the truth: both files hold one finding a line (PATH, TAB, LINE:COL, TAB,
"start" or "end", TAB, name); a finding counts when the same line stands in
both. Prints the counts, precision and recall, and the lines that differ.

Usage: score_findings.py TRUTH FOUND
"""

import sys


def lines_of(path):
    with open(path, encoding="utf-8", errors="surrogateescape") as text:
        return {line.rstrip("\n") for line in text if line.strip()}


def main():
    truth, found = lines_of(sys.argv[1]), lines_of(sys.argv[2])
    right = truth & found
    precision = len(right) / len(found) if found else 1.0
    recall = len(right) / len(truth) if truth else 1.0
    print("findings %d, truth %d, right %d: precision %.3f, recall %.3f"
          % (len(found), len(truth), len(right), precision, recall))
    for line in sorted(found - truth):
        print("false alarm:", line)
    for line in sorted(truth - found):
        print("missed:", line)


if __name__ == "__main__":
    main()

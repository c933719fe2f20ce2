#!/usr/bin/env python3
"""Scores the findings of `vorelind-cli unmatched` on several files against
the balance errors an HTML conformance checker reports in its JSON output
(messages with url, lastLine and message). Counted as balance errors:
unclosed elements, stray end tags, end tags with no element in scope, a
start tag repeating an open one (met by the first one's finding), end tags
violating nesting rules, and a heading inside a heading ("/>" on a non-void
element is a fault of syntax; when it leaves the element open, the checker
reports that too). The html, head and body elements, which the check
reports only as stray end tags of html and body, are left out otherwise,
and so are the findings past the line where the checker gave up on a file.
A finding meets an error of its side and name whose line is the finding's
or up to two lines below (where the tag's '>' stands).

Usage: checker_agreement.py FOUND CHECKER_JSON
"""

import collections
import json
import os
import re
import sys

# (side, pattern of the message; its group is the element's name)
CLASSES = [
    ("start", r"^Unclosed element “([^”]*)”"),
    ("end", r"^Stray end tag “([^”]*)”"),
    ("end", r"^No “([^”]*)” element in scope but a"),
    ("repeat", r"^Start tag “([^”]*)” seen but an element of the same type was already open"),
    ("end", r"^End tag “([^”]*)” violates nesting rules"),
    ("start", r"^Heading cannot be a child of another heading()"),
]
NEVER_REPORTED = {"HTML", "HEAD", "BODY"}  # but for stray end tags of html and body


def checker_errors(path):
    """The balance errors by file, and the line after which the checker gave up on a file."""
    errors = collections.defaultdict(list)
    gave_up = {}
    with open(path, encoding="utf-8") as text:
        messages = json.load(text)["messages"]
    for message in messages:
        if message.get("type") != "error":
            continue
        if message["message"].startswith("Cannot recover after last error"):
            gave_up[os.path.basename(message["url"])] = message.get("lastLine", 0)
        for side, pattern in CLASSES:
            match = re.search(pattern, message["message"])
            name = match.group(1).upper() if match else ""
            stray_frame = pattern.startswith("^Stray") and name in ("HTML", "BODY")
            if match and (name not in NEVER_REPORTED or stray_frame):
                line = message.get("lastLine") or message.get("firstLine")
                errors[os.path.basename(message["url"])].append([line, side, match.group(1).upper(), False])
                break
    return errors, gave_up


def findings(path):
    found = collections.defaultdict(list)
    with open(path, encoding="utf-8", errors="replace") as text:
        for row in text:
            fields = row.rstrip("\n").split("\t")
            if len(fields) == 4:
                found[os.path.basename(fields[0])].append(
                    (int(fields[1].split(":")[0]), fields[2], fields[3].upper()))
    return found


def meets(finding, error):
    line, side, name = finding
    error_line, error_side, error_name, _ = error
    if error_side == "repeat":
        return side == "start" and name == error_name and error_line >= line
    return side == error_side and error_name in ("", name) and line <= error_line <= line + 2


def main():
    found, (errors, gave_up) = findings(sys.argv[1]), checker_errors(sys.argv[2])
    # Past the point where the checker gave up on a file, it judged nothing.
    for name, line in gave_up.items():
        found[name] = [finding for finding in found[name] if finding[0] <= line]
    found_count = sum(len(f) for f in found.values())
    error_count = sum(len(e) for e in errors.values())
    right = 0
    for name in sorted(set(found) | set(errors)):
        for finding in found[name]:
            error = next((e for e in errors[name] if not e[3] and meets(finding, e)), None)
            if error is None:
                print("false alarm: %s:%d %s %s" % ((name,) + finding))
            else:
                error[3] = True
                right += 1
        for error in errors[name]:
            if not error[3]:
                print("missed: %s:%d %s %s" % (name, error[0], error[1], error[2]))
    print("findings %d, checker's errors %d, met %d: precision %.3f, recall %.3f"
          % (found_count, error_count, right, right / found_count if found_count else 1.0,
             right / error_count if error_count else 1.0))


if __name__ == "__main__":
    main()

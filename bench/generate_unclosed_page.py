#!/usr/bin/env python3
"""Writes a page of about SIZE_MB megabytes, in Shift-JIS, made of runs of
unclosed <p>, <li> and <br>, each run ended by as many </p>: every unclosed
tag nests what follows one level deeper, so the listing is some five to six
times the page, as on real pages that leave such tags open.

Usage: generate_unclosed_page.py SIZE_MB OUT
The same size always gives the same bytes.
"""

import random
import sys


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    size_bytes = int(float(sys.argv[1]) * 1_000_000)
    rng = random.Random(size_bytes)
    with open(sys.argv[2], "wb") as out:
        written = out.write(b"<html><body>\r\n")
        while written < size_bytes:
            run = rng.randint(60, 140)
            lines = [rng.choice(("<p>", "<li>", "<br>")) + "text 日本語 content here and more words"
                     for _ in range(run)]
            lines.append("</p>" * run)
            written += out.write(("\r\n".join(lines) + "\r\n").encode("cp932"))
        out.write(b"</body></html>\r\n")


if __name__ == "__main__":
    main()

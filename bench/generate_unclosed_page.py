#!/usr/bin/env python3
"""Writes a page of about SIZE_MB megabytes, in Shift-JIS, made of runs of
unclosed <p>, <li> and <br>, each run ended by as many </p>: every unclosed
tag nests what follows one level deeper, so the listing is some five to six
times the page, as on real pages that leave such tags open.

Usage: generate_unclosed_page.py SIZE_MB OUT
The same size always gives the same bytes.
"""

from generate_page import write_page


def page(size_bytes, rng):
    yield "<html><body>\r\n"
    written = 0
    while written < size_bytes:
        run = rng.randint(60, 140)
        lines = [rng.choice(("<p>", "<li>", "<br>")) + "text 日本語 content here and more words"
                 for _ in range(run)]
        lines.append("</p>" * run)
        chunk = "\r\n".join(lines) + "\r\n"
        written += len(chunk.encode("cp932"))
        yield chunk
    yield "</body></html>\r\n"


if __name__ == "__main__":
    write_page(page, __doc__)

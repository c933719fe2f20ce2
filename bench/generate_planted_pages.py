#!/usr/bin/env python3
"""Writes COUNT small HTML pages with planted tag-balance faults into FOLDER,
and FOLDER/truth.tsv: the findings a correct check reports, one a line, in
the form of `vorelind-cli unmatched` on several files (PATH, TAB, LINE:COL,
TAB, "start" or "end", TAB, name). Each page mixes correct markup that HTML
lets leave end tags out of (list items, paragraphs, cells, options, implied
sections, raw text, unquoted values ending in '/', SVG's self-closing) with
three planted faults. The same COUNT always gives the same pages.

Usage: generate_planted_pages.py COUNT FOLDER
"""

import os
import random
import sys

# Correct markup: no finding.
CLEAN = [
    "<ul><li>one<li>two<li>three</ul>",
    "<p>first paragraph<p>second paragraph",
    "<dl><dt>term<dd>meaning<dt>other<dd>its meaning</dl>",
    "<table><tr><td>1<td>2<tr><td>3<td>4</table>",
    "<table><thead><tr><th>head<tbody><tr><td>body</table>",
    "<select name=s><option>a<option selected>b<optgroup label=g><option>c</select>",
    "<textarea name=t><b>not a tag</textarea>",
    "<a href=/path/>a link</a>",
    "<svg width=10 height=10><circle r=\"1\"/><rect width=\"2\" height=\"2\"/></svg>",
    "<p>text before a block<div>block</div>",
    "<ruby>漢<rp>(<rt>kan<rp>)</ruby>",
    "<script>if (a < b) document.write(\"</p>\");</script>",
    "<p>a <b>bold</b> and <i>italic</i> text</p>",
    "<div><span>inline</span><br><img src=a.png alt=\"\"></div>",
    "<!-- <div> in a comment -->",
]

# Planted faults: '§' marks the '<' of each tag a correct check reports,
# followed by its side and name in the list beside it.
FAULTS = [
    ("<p>intro<ul><li>x</ul>§</p>", [("end", "p")]),
    ("<p>text<div>block</div>§</p>", [("end", "p")]),
    ("<p>above<hr>§</p>", [("end", "p")]),
    ("<section>§<div>left open</section>", [("start", "div")]),
    ("<div>x§</span></div>", [("end", "span")]),
    ("<section>§<div/>self-closed in name only</section>", [("start", "div")]),
    ("<ul><li>§<span>x</li></ul>", [("start", "span")]),
    ("<p>§<a href=\"#1\">one <a href=\"#2\">two</a>", [("start", "a")]),
    ("§<h2>title<h3>sub</h3>", [("start", "h2")]),
    ("<div><table><tr><td>x§</div></td></tr></table></div>", [("end", "div")]),
    ("<ol><li>x</ol>§</li>", [("end", "li")]),
    ("<dl><dt>a</dl>§</dd>", [("end", "dd")]),
    ("<section>§<span>x<div>y§</span></div></section>", [("start", "span"), ("end", "span")]),
    ("<div><b>x</b></div>§</strong>", [("end", "strong")]),
    ("<table><tr><td>x</table>§</td>", [("end", "td")]),
    ("<div>§<b>bold leaks out</div>and on</b>", [("start", "b")]),
    ("<div><b><div>x§</b></div></div>", [("end", "b")]),
    ("<div><i>a<b>b§</i>c</b></div>", [("end", "i")]),
    ("<form>§<div>held</form></div>", [("start", "div")]),
    ("<img src=a.png alt=\"\">§</img>", [("end", "img")]),
]


def fragments(rng):
    chosen = [rng.choice(CLEAN) for _ in range(8)]
    faults = rng.sample(FAULTS, 3)
    for fault in faults:
        chosen.insert(rng.randrange(len(chosen) + 1), fault)
    return chosen


def page(rng):
    """The page's text and its findings as (line, column, side, name)."""
    text = "<!DOCTYPE html>\n<html lang=en><head><meta charset=utf-8><title>page <b></title></head><body>\n"
    found = []
    for fragment in fragments(rng):
        markup, faults = fragment if isinstance(fragment, tuple) else (fragment, [])
        marks = iter(faults)
        pieces = markup.split("§")
        text += pieces[0]
        for piece in pieces[1:]:
            side, name = next(marks)
            line = text.count("\n") + 1
            column = len(text) - (text.rfind("\n") + 1) + 1
            found.append((line, column, side, name))
            text += piece
        text += "\n"
    return text + "</body></html>\n", found


def main():
    count, folder = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(count)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "truth.tsv"), "w", encoding="utf-8") as truth:
        for index in range(count):
            path = os.path.join(folder, "page%03d.html" % index)
            text, found = page(rng)
            with open(path, "w", encoding="utf-8") as out:
                out.write(text)
            for line, column, side, name in found:
                truth.write("%s\t%d:%d\t%s\t%s\n" % (path, line, column, side, name))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes a realistic HTML page of about SIZE_MB megabytes, in Shift-JIS.

Usage: generate_page.py SIZE_MB OUT

The page has the shapes real pages have: a head with meta tags and a
script, nested div/ul/table structures, paragraphs of Japanese and English
text, comments, inline scripts and PRE blocks. Empty elements are written
self-closed (<br/>), as in XHTML: an unclosed <br> nests everything after
it one level deeper, so a page full of them needs BR in the excluded list.
The same size always gives the same bytes.
"""

import random
import sys

WORDS_EN = ("structure listing nesting page element attribute value content "
            "section article header footer navigation item table cell").split()
WORDS_JA = ("構造 一覧 入れ子 要素 属性 値 内容 見出し 本文 表 項目 "
            "日本語 文書 ファイル 表示").split()


def sentence(rng):
    words = [rng.choice(WORDS_JA if rng.random() < 0.5 else WORDS_EN)
             for _ in range(rng.randint(4, 14))]
    return " ".join(words)


def script_block(rng, indent):
    lines = [f"{indent}<script type=\"text/javascript\">"]
    for n in range(rng.randint(3, 12)):
        lines.append(f"{indent}  var v{n} = document.getElementById(\"id{n}\");")
        lines.append(f"{indent}  if (v{n} && v{n}.value.length < {rng.randint(1, 99)}) {{ v{n}.focus(); }}")
    lines.append(f"{indent}</script>")
    return lines


def pre_block(rng, indent):
    lines = [f"{indent}<pre class=\"code\">"]
    for _ in range(rng.randint(2, 8)):
        lines.append(f"  {sentence(rng)} <b>{rng.randint(0, 999)}</b>")
    lines.append("</pre>")
    return lines


def list_block(rng, indent, depth):
    lines = [f"{indent}<ul class=\"list{depth}\">"]
    for _ in range(rng.randint(2, 6)):
        lines.append(f"{indent}  <li><a href=\"/page/{rng.randint(1, 9999)}.html\">{sentence(rng)}</a></li>")
    lines.append(f"{indent}</ul>")
    return lines


def table_block(rng, indent):
    lines = [f"{indent}<table border=\"1\">"]
    for _ in range(rng.randint(2, 5)):
        cells = "".join(f"<td>{rng.choice(WORDS_JA)}</td>" for _ in range(rng.randint(2, 5)))
        lines.append(f"{indent}  <tr>{cells}</tr>")
    lines.append(f"{indent}</table>")
    return lines


def section(rng, depth):
    indent = "  " * depth
    lines = [f"{indent}<div class=\"section{depth}\" id=\"s{rng.randint(1, 10**6)}\">",
             f"{indent}  <!-- section {depth} -->",
             f"{indent}  <h2>{sentence(rng)}</h2>"]
    for _ in range(rng.randint(2, 5)):
        choice = rng.random()
        if choice < 0.35:
            lines.append(f"{indent}  <p>{sentence(rng)}<br/>{sentence(rng)}<img src=\"i.png\" alt=\"\"/></p>")
        elif choice < 0.5:
            lines += list_block(rng, indent + "  ", depth)
        elif choice < 0.6:
            lines += table_block(rng, indent + "  ")
        elif choice < 0.68:
            lines += script_block(rng, indent + "  ")
        elif choice < 0.74:
            lines += pre_block(rng, indent + "  ")
        elif depth < 8:
            lines += section(rng, depth + 1)
    lines.append(f"{indent}</div>")
    return lines


def page(size_bytes, rng):
    head = ["<!DOCTYPE html>", "<html lang=\"ja\">", "<head>",
            "<meta charset=\"Shift_JIS\"/>", "<title>Benchmark page</title>"]
    head += script_block(rng, "")
    head += ["</head>", "<body>"]
    yield "\r\n".join(head) + "\r\n"
    written = 0
    while written < size_bytes:
        chunk = "\r\n".join(section(rng, 1)) + "\r\n"
        written += len(chunk.encode("cp932"))
        yield chunk
    yield "</body>\r\n</html>\r\n"


def write_page(make_page, usage):
    """Writes the page make_page(size_bytes, rng) yields, for SIZE_MB OUT on the command line."""
    if len(sys.argv) != 3:
        sys.exit(usage)
    size_bytes = int(float(sys.argv[1]) * 1_000_000)
    rng = random.Random(size_bytes)
    with open(sys.argv[2], "wb") as out:
        for chunk in make_page(size_bytes, rng):
            out.write(chunk.encode("cp932"))


if __name__ == "__main__":
    write_page(page, __doc__)

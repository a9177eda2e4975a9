#!/usr/bin/python3
"""release/readme_txt.py: the README's section for administrators as README.TXT, for Notepad on an NT server.

Usage: readme_txt.py README.md VERSION OUT.TXT

Notepad on NT 4.0 shows a bare LF as nothing at all and has no horizontal wrap worth the name,
so the guide is plain text in the Windows ANSI code page, with CRLF line ends and lines of at
most 78 columns. Markdown's headings, paragraphs, lists and tables are all the section uses;
tables become two aligned columns, the first one wrapped narrow.
"""
import itertools
import re
import sys
import textwrap

WIDTH = 78
SECTION = "## For administrators"
FIRST_COLUMN_MAX = 40


def section_lines(markdown):
    lines = markdown.splitlines()
    if SECTION not in lines:
        raise ValueError(f'no line "{SECTION}" in the README')
    start = lines.index(SECTION) + 1
    end = next((i for i in range(start, len(lines)) if lines[i].startswith("## ")), len(lines))
    return lines[start:end]


def plain(text):
    """Inline markup removed: bold, code spans and the escapes of a table cell."""
    text = re.sub(r"\*\*(.+?)\*\*", r"\1", text)
    return text.replace("`", "").replace("\\|", "|").strip()


def wrap(text, width, first="", rest=""):
    return textwrap.wrap(text, width, initial_indent=first, subsequent_indent=rest,
                         break_on_hyphens=False) or [first.rstrip()]


def table(rows):
    cells = [[plain(c) for c in row.strip().strip("|").split(" | ")] for row in rows
             if not re.fullmatch(r"\|[-| :]+\|", row.strip())]
    cells = [[row[0], "; ".join(row[1:])] for row in cells]
    # As narrow as the first column's longest word allows (a path is not to be cut), and no
    # wider than its longest cell.
    longest_word = max(len(word) for row in cells for word in row[0].split())
    first = min(FIRST_COLUMN_MAX, max(longest_word, min(30, max(len(row[0]) for row in cells))))
    second = WIDTH - first - 2
    out = []
    for n, (left, right) in enumerate(cells):
        if n > 1:
            out.append("")
        pairs = itertools.zip_longest(wrap(left, first), wrap(right, second), fillvalue="")
        out += [(a.ljust(first) + "  " + b).rstrip() for a, b in pairs]
        if n == 0:
            out.append("-" * first + "  " + "-" * second)
    return out


def blocks(lines):
    """Groups the lines into (kind, lines): heading, table, item or paragraph."""
    kind, block = None, []
    for line in lines + [""]:
        if line.startswith("<!--"):
            continue        # a note for the README's readers alone
        if line.startswith("#"):
            new = "heading"
        elif line.startswith("|"):
            new = "table"
        elif re.match(r"(- |\d+\. )", line):
            new = "item"
        elif line.startswith(" ") and kind == "item":
            new = "more"
        elif line.strip():
            new = "paragraph" if kind not in ("paragraph", "item") else kind
        else:
            new = None
        if new == "more" or (new == kind and new in ("table", "paragraph")) or (new == "paragraph" and kind == "item"):
            block.append(line)
            continue
        if block:
            yield kind, block
        kind, block = new, [line] if new else []


def convert(markdown, version):
    title = f"Brantovell {version}: the administrator's guide"
    out = [title, "=" * len(title)]
    previous = None
    for kind, block in blocks(section_lines(markdown)):
        if not (kind == previous == "item"):
            out.append("")
        previous = kind
        if kind == "heading":
            heading = plain(block[0].lstrip("#"))
            out += [heading, "-" * len(heading)]
        elif kind == "table":
            out += table(block)
        elif kind == "item":
            marker = re.match(r"(- |\d+\. )", block[0]).group(1)
            text = " ".join(line.strip() for line in block)[len(marker):]
            out += wrap(plain(text), WIDTH, marker, " " * len(marker))
        else:
            out += wrap(plain(" ".join(line.strip() for line in block)), WIDTH)
    while out[-1] == "":
        out.pop()
    too_wide = [line for line in out if len(line) > WIDTH]
    if too_wide:
        raise ValueError(f"lines wider than {WIDTH} columns: {too_wide}")
    return "\r\n".join(out).encode("cp1252") + b"\r\n"


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: readme_txt.py README.md VERSION OUT.TXT")
    with open(sys.argv[1], encoding="utf-8") as f:
        text = convert(f.read(), sys.argv[2])
    with open(sys.argv[3], "wb") as f:
        f.write(text)


if __name__ == "__main__":
    main()

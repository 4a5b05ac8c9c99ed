#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the user's manual (the window's F1) from README.md: its title and
introduction, then the sections named on the command line, with their
subsections, as one HTML page.

    readme_to_html.py README.md OUT.html SECTION...

Knows the Markdown the README uses: headings, paragraphs, fenced code,
tables, lists, `code`, **bold**, links and pictures. Links to a part of the
README that the page leaves out become plain text."""

import html
import re
import sys

STYLE = """body { font-family: sans-serif; max-width: 50em; margin: 2em auto; padding: 0 1em; line-height: 1.45; }
pre { background: #f4f4f4; padding: 0.6em; overflow-x: auto; }
code { font-family: monospace; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: 0.25em 0.6em; text-align: left; vertical-align: top; }
img { max-width: 100%; }
@media (prefers-color-scheme: dark) {
  body { background: #1e1e1e; color: #ddd; } pre { background: #2a2a2a; } a { color: #8cf; }
}"""

CODE_SPAN = re.compile(r"(`+)(.+?)\1")
IMAGE = re.compile(r"!\[([^\]]*)\]\(([^)\s]+)\)")
LINK = re.compile(r"\[([^\]]+)\]\(([^)\s]+)\)")
AUTOLINK = re.compile(r"&lt;(https?://[^&\s]+)&gt;")
BOLD = re.compile(r"\*\*(.+?)\*\*")
LIST_ITEM = re.compile(r"^(-|\d+\.) +(.*)$")


def slug(title):
    """The anchor GitHub gives a heading."""
    text = re.sub(r"[^\w\- ]", "", title.lower())
    return text.replace(" ", "-")


def inline(text, anchors):
    """One line's Markdown as HTML; code spans are taken literally."""
    def link(match):
        label, target = match.group(1), match.group(2)
        if target.startswith("#") and target[1:] not in anchors:
            return label
        return f'<a href="{target}">{label}</a>'

    codes = []

    def hold(match):  # code spans leave the text before the rest is formatted
        codes.append("<code>" + html.escape(match.group(2).strip(), quote=False) + "</code>")
        return f"\0{len(codes) - 1}\0"

    text = html.escape(CODE_SPAN.sub(hold, text), quote=False)
    text = IMAGE.sub(r'<img alt="\1" src="\2">', text)
    text = LINK.sub(link, text)
    text = AUTOLINK.sub(r'<a href="\1">\1</a>', text)
    text = BOLD.sub(r"<strong>\1</strong>", text)
    return re.sub("\0(\\d+)\0", lambda match: codes[int(match.group(1))], text)


def table_cells(line):
    cells = re.split(r"(?<!\\)\|", line.strip().strip("|"))
    return [cell.strip().replace("\\|", "|") for cell in cells]


def blocks(lines):
    """Splits Markdown lines into (kind, lines) blocks."""
    index = 0
    while index < len(lines):
        line = lines[index]
        if not line.strip():
            index += 1
        elif line.startswith("```"):
            end = next((i for i in range(index + 1, len(lines)) if lines[i].startswith("```")), len(lines))
            yield "code", lines[index + 1:end]
            index = end + 1
        elif line.startswith("#"):
            yield "heading", [line]
            index += 1
        else:
            kind = "table" if line.startswith("|") else "list" if LIST_ITEM.match(line) else "paragraph"
            end = index + 1
            while end < len(lines) and lines[end].strip() and not lines[end].startswith(("```", "#")):
                if kind == "table" and not lines[end].startswith("|"):
                    break
                end += 1
            yield kind, lines[index:end]
            index = end


def list_html(lines, anchors):
    items = []
    for line in lines:
        if LIST_ITEM.match(line):
            items.append(LIST_ITEM.match(line).group(2))
        else:
            items[-1] += " " + line.strip()
    tag = "ul" if lines[0].startswith("-") else "ol"
    body = "".join(f"<li>{inline(item, anchors)}</li>\n" for item in items)
    return f"<{tag}>\n{body}</{tag}>"


def table_html(lines, anchors):
    rows = [table_cells(line) for line in lines if not re.fullmatch(r"[|\s:-]+", line.strip())]
    head = "".join(f"<th>{inline(cell, anchors)}</th>" for cell in rows[0])
    body = "".join("<tr>" + "".join(f"<td>{inline(cell, anchors)}</td>" for cell in row) + "</tr>\n"
                   for row in rows[1:])
    return f"<table>\n<tr>{head}</tr>\n{body}</table>"


def block_html(kind, lines, anchors):
    if kind == "code":
        return "<pre><code>" + html.escape("\n".join(lines), quote=False) + "</code></pre>"
    if kind == "heading":
        level = len(lines[0]) - len(lines[0].lstrip("#"))
        title = lines[0][level:].strip()
        return f'<h{level} id="{slug(title)}">{inline(title, anchors)}</h{level}>'
    if kind == "table":
        return table_html(lines, anchors)
    if kind == "list":
        return list_html(lines, anchors)
    return "<p>" + inline(" ".join(line.strip() for line in lines), anchors) + "</p>"


def chosen_lines(readme, sections):
    """The title and introduction, then each chosen "## " section, in the README's order."""
    kept, keep, fenced = [], True, False
    for line in readme.splitlines():
        if line.startswith("```"):
            fenced = not fenced
        elif not fenced and line.startswith("## "):
            keep = line[3:].strip() in sections
        if keep:
            kept.append(line)
    return kept


def manual(readme, sections):
    lines = chosen_lines(readme, sections)
    title = lines[0].lstrip("#").strip()
    anchors = {slug(line.lstrip("#").strip()) for kind, (line, *_) in blocks(lines) if kind == "heading"}
    body = "\n".join(block_html(kind, block, anchors) for kind, block in blocks(lines))
    return (f'<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
            f"<title>{html.escape(title)}</title>\n<style>\n{STYLE}\n</style>\n</head>\n<body>\n{body}\n</body>\n</html>\n")


def main(argv):
    if len(argv) < 4:
        sys.exit("usage: readme_to_html.py README.md OUT.html SECTION...")
    with open(argv[1], encoding="utf-8") as source:
        readme = source.read()
    missing = [name for name in argv[3:] if f"\n## {name}\n" not in readme]
    if missing:
        sys.exit(f"readme_to_html.py: no section {', '.join(missing)} in {argv[1]}")
    with open(argv[2], "w", encoding="utf-8") as out:
        out.write(manual(readme, set(argv[3:])))


if __name__ == "__main__":
    main(sys.argv)

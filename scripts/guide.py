"""Writes the teachers' guide (README.bg.md) as one HTML page that opens with a double click in
any browser, on any system: the release's copy of it, with the version and commit it is of.
It reads the little Markdown the guide uses: headings, paragraphs, lists, indented commands
and `code`.
usage: guide.py GUIDE.md VERSION COMMIT OUTPUT.html"""

import html
import re
import sys

PAGE = """<!doctype html>
<html lang="bg">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>%s</title>
<style>
body { max-width: 44em; margin: 1em auto; padding: 0 1em; font: 1.1em/1.5 serif; color-scheme: light dark; }
code, pre { font-size: 0.95em; } pre { padding: 0.5em; border: 1px solid; overflow-x: auto; }
</style>
</head>
<body>
%s
<p><small>Версия %s, от commit %s.</small></p>
</body>
</html>
"""


def inline(text):
    return re.sub(r"`([^`]+)`", r"<code>\1</code>", html.escape(text, quote=False))


def blocks(markdown):
    """The guide's HTML, block by block: a block is parted from the next by an empty line."""
    for block in re.split(r"\n\s*\n", markdown.strip()):
        lines = block.split("\n")
        if block.startswith("#"):
            level = len(block) - len(block.lstrip("#"))
            yield "<h%d>%s</h%d>" % (level, inline(block.lstrip("# ")), level)
        elif block.startswith("    "):
            yield "<pre><code>%s</code></pre>" % html.escape("\n".join(line[4:] for line in lines), quote=False)
        elif block.startswith("- "):
            items = re.split(r"\n(?=- )", block)
            yield "<ul>\n%s\n</ul>" % "\n".join("<li>%s</li>" % inline(" ".join(item[2:].split())) for item in items)
        else:
            yield "<p>%s</p>" % inline(" ".join(block.split()))


def main(guide_path, version, commit, output_path):
    with open(guide_path, encoding="utf-8") as guide:
        markdown = guide.read()
    title = markdown.split("\n", 1)[0].lstrip("# ")
    with open(output_path, "w", encoding="utf-8") as out:
        out.write(PAGE % (html.escape(title), "\n".join(blocks(markdown)), version, commit))


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])

"""Finishes the page the compiler wrote: puts in its title (the window's caption), its icon,
its own face of the window's font and a content security policy that allows the page's own
inline script and style (by their hashes), its WebAssembly, and its icon and font as data,
and nothing else: no request, no script, style, font or frame from outside.

The face is the font's substitute (Liberation Serif, SIL Open Font License 1.1; its copyright
and licence stay in the font's name table), cut down to the letters the window shows: the
texts of the window's headers and the digits, and named as the page's own (FACE), which its
font list puts first. Metric-compatible with the window's font, it keeps every caption whole
and every line of the statement as it is broken, whatever fonts the device has.
usage: finishpage.py PAGE.html ICON.png CAPTION FONT.ttf FACE OUTPUT.html HEADER.h..."""

import base64
import hashlib
import html
import io
import re
import sys

from fontTools import subset


def hashes(page, tag):
    return " ".join("'sha256-%s'" % base64.b64encode(hashlib.sha256(body.encode()).digest()).decode()
                    for body in re.findall(r"<%s>(.*?)</%s>" % (tag, tag), page, re.S))


def literals(source):
    """The C++ string literals of a header."""
    return [re.sub(r"\\(.)", r"\1", text) for text in re.findall(r'"((?:[^"\\]|\\.)*)"', source)]


def font_face(font_path, face, headers):
    """An @font-face rule for the face, the font cut down to the headers' texts and the digits,
    inlined."""
    letters = set("0123456789")
    for header in headers:
        letters.update(*literals(header))
    options = subset.Options(flavor="woff2", name_IDs=["*"], name_languages=["*"], layout_features=["*"])
    font = subset.load_font(font_path, options)
    cutter = subset.Subsetter(options)
    cutter.populate(text="".join(sorted(c for c in letters if c.isprintable())))
    cutter.subset(font)
    woff2 = io.BytesIO()
    subset.save_font(font, woff2, options)
    return ('@font-face { font-family: "%s"; src: url(data:font/woff2;base64,%s) format("woff2"); }'
            % (face, base64.b64encode(woff2.getvalue()).decode()))


def main(page_path, icon_path, caption, font_path, face, output_path, *header_paths):
    with open(page_path, encoding="utf-8") as page_file:
        page = page_file.read()
    with open(icon_path, "rb") as icon_file:
        icon = "data:image/png;base64," + base64.b64encode(icon_file.read()).decode()
    headers = []
    for path in header_paths:
        with open(path, encoding="utf-8") as header:
            headers.append(header.read())
    page = page.replace("@TITLE@", html.escape(caption)).replace("@FONT@", font_face(font_path, face, headers))
    policy = ("default-src 'none'; script-src %s 'wasm-unsafe-eval'; style-src %s; img-src data:; font-src data:; "
              "base-uri 'none'; form-action 'none'" % (hashes(page, "script"), hashes(page, "style")))
    with open(output_path, "w", encoding="utf-8") as output:
        output.write(page.replace("@ICON@", icon).replace("@CSP@", policy))


if __name__ == "__main__":
    if len(sys.argv) < 8:
        sys.exit(__doc__)
    main(*sys.argv[1:])

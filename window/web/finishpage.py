"""Finishes the page the compiler wrote: puts in its title (the window's caption), its icon,
the window's font and a content security policy that allows the page's own inline script
and style (by their hashes), its WebAssembly, and its icon and font as data, and nothing
else: no request, no script, style, font or frame from outside.

The font is Liberation Serif (SIL Open Font License 1.1; its copyright and licence stay in
the font's name table), cut down to the letters the window shows: the texts of the
window's headers and the digits. Metric-compatible with Times New Roman, it keeps every
caption whole and every line of the statement as it is broken, whatever fonts the device
has.
usage: finishpage.py PAGE.html ICON.png FONT.ttf TEXTS.h LAYOUT.h OUTPUT.html"""

import base64
import hashlib
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


def font_face(font_path, headers):
    """An @font-face rule with the font, cut down to the headers' texts and the digits, inlined."""
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
    return ('@font-face { font-family: "Liberation Serif"; src: url(data:font/woff2;base64,%s) format("woff2"); }'
            % base64.b64encode(woff2.getvalue()).decode())


def main(page_path, icon_path, font_path, texts_path, layout_path, output_path):
    with open(page_path, encoding="utf-8") as page_file:
        page = page_file.read()
    with open(icon_path, "rb") as icon_file:
        icon = "data:image/png;base64," + base64.b64encode(icon_file.read()).decode()
    with open(texts_path, encoding="utf-8") as texts_file, open(layout_path, encoding="utf-8") as layout_file:
        texts, layout = texts_file.read(), layout_file.read()
    caption = " ".join(re.search(r'%s = "([^"]*)"' % name, texts).group(1) for name in ("WebAddress", "CaptionTitle"))
    page = page.replace("@TITLE@", caption).replace("@FONT@", font_face(font_path, [texts, layout]))
    policy = ("default-src 'none'; script-src %s 'wasm-unsafe-eval'; style-src %s; img-src data:; font-src data:; "
              "base-uri 'none'; form-action 'none'" % (hashes(page, "script"), hashes(page, "style")))
    with open(output_path, "w", encoding="utf-8") as output:
        output.write(page.replace("@ICON@", icon).replace("@CSP@", policy))


if __name__ == "__main__":
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    main(*sys.argv[1:])

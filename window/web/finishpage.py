"""Finishes the page the compiler wrote: puts in its icon and a content security policy that
allows the page's own inline script and style (by their hashes) and its WebAssembly, and
nothing else: no request, no script, style, font or frame from outside.
usage: finishpage.py PAGE.html ICON.png OUTPUT.html"""

import base64
import hashlib
import re
import sys


def hashes(page, tag):
    return " ".join("'sha256-%s'" % base64.b64encode(hashlib.sha256(body.encode()).digest()).decode()
                    for body in re.findall(r"<%s>(.*?)</%s>" % (tag, tag), page, re.S))


def main(page_path, icon_path, output_path):
    with open(page_path, encoding="utf-8") as page_file:
        page = page_file.read()
    with open(icon_path, "rb") as icon_file:
        icon = "data:image/png;base64," + base64.b64encode(icon_file.read()).decode()
    policy = ("default-src 'none'; script-src %s 'wasm-unsafe-eval'; style-src %s; img-src data:; "
              "base-uri 'none'; form-action 'none'" % (hashes(page, "script"), hashes(page, "style")))
    with open(output_path, "w", encoding="utf-8") as output:
        output.write(page.replace("@ICON@", icon).replace("@CSP@", policy))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])

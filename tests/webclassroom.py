"""The page as a class meets it: on the screens a class has, with scripts or WebAssembly
missing, with another serif face than the window's, and a locked box seen on a projector.
Scenarios of tests/webpage.py, on its page and browsers."""

import os
import tempfile

from browsers import Chromium, Firefox
from harness import Failed, contrast, fail, wait_for

FRAME = "new Promise(done => requestAnimationFrame(() => setTimeout(done)))"
# The view's size and whether it scrolls, and where the focus is.
VIEW = """[document.documentElement.clientWidth, document.documentElement.clientHeight, scrollX, scrollY,
    document.documentElement.scrollWidth, document.documentElement.scrollHeight, document.activeElement.id]"""
SCREENS = [("a 1920x1080 projector", 1920, 1080, False), ("a 1366x768 Chromebook", 1366, 768, False),
           ("a 1024x768 projector", 1024, 768, False), ("a 768x1024 tablet", 768, 1024, True), ("a 390x844 phone", 390, 844, True)]


def screens(browser, page, window):
    """On each screen the window fills the view along its tighter side, whole, with nothing to
    scroll, and opens with the focus in the statement; on the phone a tap runs a trial."""
    for name, width, height, touch in SCREENS:
        browser.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=1, mobile=touch)
        browser.call("Emulation.setTouchEmulationEnabled", enabled=touch)
        browser.reload()
        x, y, shown_width, shown_height, _ = browser.eval(window)
        view_width, view_height, scroll_x, scroll_y, scroll_width, scroll_height, focus = browser.eval(VIEW)
        if (x < -0.5 or y < -0.5 or x + shown_width > view_width + 0.5 or y + shown_height > view_height + 0.5
                or max(shown_width / view_width, shown_height / view_height) < 0.95):
            fail("%s: the window stands at %r in a view of %dx%d" % (name, (x, y, shown_width, shown_height), view_width, view_height))
        if (scroll_x, scroll_y, scroll_width, scroll_height, focus) != (0, 0, view_width, view_height, "Text1_0"):
            fail("%s: scrolled to %r of %r, the focus on %r" % (name, (scroll_x, scroll_y), (scroll_width, scroll_height), focus))
        print("  ok:", name)
    page.expect([0, 0, 0], [[False, True]] * 3, "at the start, on the phone")
    browser.tap(*page.at("Check1_0"))
    page.expect([333, 0, 0], [[True, False], [False, True], [False, True]], "a tap on box I")
    return "the window fills %d screens, whole, with nothing to scroll; a tap runs a trial" % len(SCREENS)


def messages(browser, page):
    """Without scripts, or without WebAssembly, the page says in Bulgarian why it cannot show the
    window, under the window's caption."""
    caption = "www.prince-trials.example Философия - Бастелон, Трелавин"
    browser.call("Emulation.setScriptExecutionDisabled", value=True)
    browser.reload(painted=False)
    message = wait_for("the message", lambda: node(browser, "noscript p"))  # parsed as a paragraph only without scripts
    title = browser.call("Target.getTargetInfo")["targetInfo"]["title"]
    if not message or "JavaScript" not in browser.call("DOM.getOuterHTML", nodeId=message)["outerHTML"] or title != caption:
        fail("without scripts the page shows %r under %r" % (message, title))
    browser.call("Emulation.setScriptExecutionDisabled", value=False)
    browser.call("Page.addScriptToEvaluateOnNewDocument", source="delete globalThis.WebAssembly")
    browser.reload(painted=False)
    shown = browser.wait("!document.getElementById('CannotRun').hidden && document.title")
    if shown != caption:
        fail("without WebAssembly the page's title is %r" % shown)
    return "without scripts and without WebAssembly a message says why, under the window's caption"


def node(browser, selector):
    """The node a selector finds in the page's document, or 0; 0 too while a new document
    replaces the one asked about."""
    try:
        return browser.call("DOM.querySelector", nodeId=browser.call("DOM.getDocument")["root"]["nodeId"], selector=selector)["nodeId"]
    except Failed:
        return 0


def locked_box(browser, page):
    """A checked, locked box: its tick reads at 3:1 or more on the box, and the box's edge on
    the box's back colour, under a light and a dark scheme."""
    page.click("Check1_1")
    page.expect([0, 333, 0], [[False, True], [True, False], [False, True]], "box II")
    back = tuple(bytes.fromhex(page.places["Check1_1"]["back"]))
    worst = 21.0
    for scheme in ("light", "dark"):
        browser.call("Emulation.setEmulatedMedia", features=[{"name": "prefers-color-scheme", "value": scheme}])
        browser.eval(FRAME)
        x, y, width, height = browser.eval("(r => [r.left, r.top, r.width, r.height])("
                                           "document.querySelector('#Check1_1 input').getBoundingClientRect())")
        box = browser.pixels((x + 0.15 * width, y + 0.15 * height, 1, 1))[0]
        tick = max(contrast(box, pixel) for pixel in browser.pixels((x + width / 4, y + height / 4, width / 2, height / 2)))
        edge = max(contrast(back, pixel) for pixel in browser.pixels((x - 1, y + height / 4, 3, height / 2)))
        if min(tick, edge) < 3:
            fail("under a %s scheme the tick reads at %.2f on the box, the edge at %.2f" % (scheme, tick, edge))
        worst = min(worst, tick, edge)
    return "the tick and the edge read at %.1f:1 or more, light and dark" % worst


def paging(browser, page):
    """PageDown in a list moves by the rows it shows."""
    browser.eval("document.getElementById('List1_3').focus()")
    for key in ("Down", "PageDown"):
        browser.key(key)
    moved, rows = browser.eval("(list => [list.selectedIndex, list.size])(document.getElementById('List1_3'))")
    if rows < 4 or moved < rows - 1:
        fail("PageDown moved to %d in a list of %d rows" % (moved, rows))
    return "PageDown moves %d items in a list that shows %d" % (moved, rows)


def another_serif(page_path):
    """With a wider serif face (DejaVu Serif) as the only one, the window still shows in its
    own, metric-compatible with the table's: every caption whole."""
    with tempfile.TemporaryDirectory() as work:
        config = os.path.join(work, "fonts.conf")
        with open(config, "w") as out:
            out.write('<?xml version="1.0"?><fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir>'
                      '<cachedir>%s</cachedir><alias><family>serif</family><prefer><family>DejaVu Serif</family></prefer>'
                      '</alias></fontconfig>' % work)
        with Chromium(page_path, env={"FONTCONFIG_FILE": config}) as browser:
            cut = browser.eval("Array.from(document.querySelectorAll('#MainForm label, #MainForm legend, #MainForm button, "
                               "#MainForm .caption'), e => [e.textContent, e.scrollWidth - e.clientWidth])"
                               ".filter(([, over]) => over > 0).map(([text]) => text)")
            root = browser.call("DOM.getDocument")["root"]["nodeId"]
            drawn = set()
            for name in ("Check1_2", "Frame1", "Label1_0"):
                node = browser.call("DOM.querySelector", nodeId=root, selector="#" + name)["nodeId"]
                drawn.update(font["familyName"] for font in browser.call("CSS.getPlatformFontsForNode", nodeId=node)["fonts"])
            if cut or drawn != {"Liberation Serif"}:
                fail("with DejaVu Serif only: cut short %r, drawn in %r" % (cut, drawn))
    return "every caption whole, drawn in the page's own Liberation Serif"

def messages_in_firefox(page_path):
    """The same messages in Firefox, with scripts or WebAssembly turned off in its settings."""
    caption = "www.prince-trials.example Философия - Бастелон, Трелавин"
    for pref, selector in (("javascript.enabled", "noscript p"), ("javascript.options.wasm", "#CannotRun")):
        with Firefox(page_path, prefs=[(pref, False)], painted=False) as browser:
            element = wait_for("the message", lambda: browser.call("WebDriver:FindElements", using="css selector", value=selector))[0]
            shown = wait_for("the message shown", lambda: browser.call("WebDriver:IsElementDisplayed", id=element[ELEMENT])["value"])
            title = browser.call("WebDriver:GetTitle")["value"]
            if not shown or title != caption:
                fail("with %s off: the message shown %r, the title %r" % (pref, shown, title))
    return "without scripts and without WebAssembly a message says why, under the window's caption"


ELEMENT = "element-6066-11e4-a52e-4f735466cecf"  # the key of an element's reference in WebDriver's answers

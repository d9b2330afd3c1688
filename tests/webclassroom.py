"""The page as a class meets it: on the screens a class has, with scripts or WebAssembly
missing or scripts blocked, with another serif face than the window's, a locked box seen on
a projector, and read by a screen reader in WebKit. Scenarios of tests/webpage.py, on its
page and browsers."""

import os
import tempfile

from browsers import Chromium, Firefox, WebKit
from harness import Failed, ScreenReader, contrast, fail, wait_for

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
    pool = "(list => [list.scrollTop, (list.querySelector('[aria-selected]') || {}).textContent])(document.getElementById('List1_3'))"
    browser.tap(*page.row_at("List1_3", 1))
    tapped = wait_for("a tap to select a row", lambda: browser.eval(pool)[1])
    browser.tap(*page.at("List1_3"), up=80)
    scrolled, selected = wait_for("a swipe to scroll the pool", lambda: (lambda got: got[0] > 0 and got)(browser.eval(pool)))
    if selected != tapped:
        fail("a swipe over the pool selected %r" % selected)
    return "the window fills %d screens, whole, with nothing to scroll; a tap runs a trial, selects a row, a swipe scrolls" % len(SCREENS)


def messages(browser, page):
    """Without scripts, or without WebAssembly, the page says in Bulgarian why it cannot show the
    window, under the window's caption."""
    caption = "www.prince-trials.example Философия - Бастелон, Трелавин"
    browser.call("Emulation.setScriptExecutionDisabled", value=True)
    browser.reload(painted=False)
    # parsed as a paragraph only without scripts; read again while a new document replaces the old
    message = wait_for("the message", lambda: "JavaScript" in outer_html(browser, "noscript p"))
    title = browser.call("Target.getTargetInfo")["targetInfo"]["title"]
    if not message or title != caption:
        fail("without scripts the page shows %r under %r" % (message, title))
    browser.call("Emulation.setScriptExecutionDisabled", value=False)
    browser.call("Page.addScriptToEvaluateOnNewDocument", source="delete globalThis.WebAssembly")
    browser.reload(painted=False)
    shown = browser.wait("!document.getElementById('CannotRun').hidden && document.title")
    if shown != caption:
        fail("without WebAssembly the page's title is %r" % shown)
    with tempfile.TemporaryDirectory() as work:
        browser.page = blocked(browser.page, work)
        browser.reload(painted=False)
        shown = browser.wait("Array.from(document.querySelectorAll('.message'), e => e.offsetParent && e.textContent).filter(Boolean)")
        if len(shown) != 1 or "браузър" not in shown[0]:
            fail("with its scripts blocked the page shows %r" % shown)
    return "without scripts, without WebAssembly and with its scripts blocked a message says why, under the window's caption"


def node(browser, selector):
    """The node a selector finds in the page's document, or 0; 0 too while a new document
    replaces the one asked about."""
    try:
        return browser.call("DOM.querySelector", nodeId=browser.call("DOM.getDocument")["root"]["nodeId"], selector=selector)["nodeId"]
    except Failed:
        return 0


def outer_html(browser, selector):
    """The HTML of the node a selector finds, or "" (none, or its document replaced)."""
    try:
        return browser.call("DOM.getOuterHTML", nodeId=node(browser, selector))["outerHTML"]
    except Failed:
        return ""


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


def another_serif(page_path):
    """With a wider serif face (DejaVu Serif) as the only one, and answering for Times New Roman
    too, the window still shows in its own face, metric-compatible with the table's: every
    caption whole."""
    with tempfile.TemporaryDirectory() as work:
        config = os.path.join(work, "fonts.conf")
        with open(config, "w") as out:
            out.write('<?xml version="1.0"?><fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir>'
                      '<cachedir>%s</cachedir><alias><family>serif</family><prefer><family>DejaVu Serif</family></prefer>'
                      '</alias><match><test name="family"><string>Times New Roman</string></test>'
                      '<edit name="family" mode="assign" binding="strong"><string>DejaVu Serif</string></edit></match>'
                      '</fontconfig>' % work)
        with Chromium(page_path, env={"FONTCONFIG_FILE": config}) as browser:
            cut = browser.eval("Array.from(document.querySelectorAll('#MainForm label, #MainForm legend, #MainForm button, "
                               "#MainForm .caption'), e => [e.textContent, e.scrollWidth - e.clientWidth])"
                               ".filter(([, over]) => over > 0).map(([text]) => text)")
            drawn = set().union(*(browser.faces(name) for name in ("Check1_2", "Frame1", "Label1_0")))
            if cut or drawn != {"the page's own"}:
                fail("with DejaVu Serif only: cut short %r, drawn in %r" % (cut, drawn))
    return "every caption whole, drawn in the page's own face"

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


def blocked(page_path, work):
    """A copy of the page whose inline scripts were rewritten on the way (by a proxy, say), so
    that their hashes no longer match the page's policy: the browser runs none of them."""
    with open(page_path, encoding="utf-8") as page:
        text = page.read().replace("<script>", "<script>/* rewritten */")
    copy = os.path.join(work, "blocked.html")
    with open(copy, "w", encoding="utf-8") as out:
        out.write(text)
    return copy


def messages_in_webkit(page_path, display):
    """Exactly one message, the right one, with JavaScript off, without WebAssembly and with
    the page's scripts blocked."""
    from selenium.webdriver.common.by import By
    with tempfile.TemporaryDirectory() as work:
        for what, path, options, env, wanted in (
                ("JavaScript off", page_path, ["--enable-javascript=false"], None, "JavaScript"),
                ("no WebAssembly", page_path, [], {"JSC_useWasm": "false"}, "браузър"),
                ("scripts blocked", blocked(page_path, work), [], None, "браузър")):
            with WebKit(path, display, env=env, options=options, painted=False) as browser:
                shown = lambda: [e.text for e in browser.connection.find_elements(By.CSS_SELECTOR, ".message") if e.is_displayed()]
                said = wait_for("a message, " + what, shown)
                if len(said) != 1 or wanted not in said[0]:
                    fail("%s: the page shows %r" % (what, said))
                print("  ok:", what)
    return "one message in each of three cases"


def read_in_webkit(browser, page):
    """What a screen reader on Linux reads of the page in WebKit, over AT-SPI: every list's
    items after each step, an empty list described as empty, each sentence of the live region."""
    reader = ScreenReader("MiniBrowser")
    region = next(node for node in walk(reader.app) if node.get_attributes().get("live") == "polite")

    def items(name):
        node = reader.node("list box", name)
        count = node.get_child_count()
        return 0 if count == 1 and node.get_child_at_index(0).get_role_name() == "separator" else count

    steps = [("Check1_0", [333, 0, 0, 667], "I-во изпитание: остават 667."), ("Command1_0", [0, 0, 0, 1000], "Начало: 1000."),
             ("Check1_2", [0, 0, 333, 667], "III-то изпитание: остават 667.")]
    for name, counts, sentence in steps:
        page.click(name)
        def read():
            try:
                return ([items(heading) for heading in ("I-во", "II-ро", "III-то", "Начало")],
                        [text_of(reader, region.get_child_at_index(i)) for i in range(region.get_child_count())])
            except (reader.GLib.Error, AttributeError):  # an object gone while the tree changes
                return None
        try:
            wait_for(name, lambda: read() == (counts, [sentence]), 5)
        except Failed:
            fail("after %s a screen reader reads %r" % (name, read()))
        print("  ok: %s: %r, %r" % (name, counts, sentence))
    described = reader.node("list box", "II-ро").get_description()
    if described != "празен":
        fail("the empty list is described as %r" % described)
    return "the lists' items after %d steps, an empty list described, the live region's sentences" % len(steps)


def walk(node):
    yield node
    if node.get_role_name() != "list box":
        for i in range(node.get_child_count()):
            yield from walk(node.get_child_at_index(i))


def text_of(reader, node):
    return reader.Atspi.Text.get_text(node, 0, reader.Atspi.Text.get_character_count(node))

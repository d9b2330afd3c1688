"""The page in the browser as a person meets it, opened from file://: in Debian's headless
Chromium, driven through its DevTools protocol with real input events, and in Firefox ESR,
driven through its own remote protocol (Marionette). What the layout table says of the page,
and whether the contest in it holds, come from webcheck, built with the program's own table
and checker.

usage: webpage.py chromium PAGE WEBCHECK     layout, contests by mouse and keyboard, locked
                                             box, resets, lists, screen reader, dark scheme, errors
       webpage.py firefox PAGE WEBCHECK      layout, a contest by mouse, lists, messages
       webpage.py webkit PAGE WEBCHECK       layout, contests, resets, lists, screen reader,
                                             messages (in MiniBrowser on a virtual X server)
       webpage.py contest PAGE WEBCHECK      layout and a contest by mouse in Chromium (a release's check)
       webpage.py screenshot PAGE WEBCHECK OUTPUT.png   the page after the first two trials
Each scenario runs in a browser of its own.
"""

import json
import re
import subprocess
import sys
import time

import formtable
import webclassroom
from browsers import Chromium, Firefox, WebKit
from harness import Failed, XServer, fail, in_own_session, require, run_scenarios, text_contrast, wait_for

STATE = """(() => ({
    lists: ["List1_0", "List1_1", "List1_2", "List1_3"].map(id => Array.from(document.querySelectorAll("#" + id + " [role=option]"), o => o.textContent)),
    boxes: ["Check1_0", "Check1_1", "Check1_2"].map(id => document.querySelector("#" + id + " input"))
        .map(box => [box.checked, !box.disabled]),
    focus: document.activeElement.id || document.activeElement.parentElement.id,
    said: document.getElementById("Said").textContent
}))()"""
# How much of the view a unit of getBoundingClientRect is: 1, or the window's zoom where the
# engine answers in unzoomed units (WebKit).
UNIT = "(form => parseFloat(form.style.width) * form.style.zoom / form.getBoundingClientRect().width)(document.getElementById('MainForm'))"
# Where each control stands in the window, at the table's scale, and what it shows.
RECTS = """(() => { const form = document.getElementById("MainForm"), origin = form.getBoundingClientRect(), scale = %s / form.style.zoom;
    return Object.fromEntries(Array.from(document.querySelectorAll("#MainForm [id]:not([role=option])"), e => { const r = e.getBoundingClientRect();
        return [e.id, {rect: [r.left - origin.left, r.top - origin.top, r.width, r.height].map(v => Math.round(v * scale)), shown: !e.hidden,
                       back: getComputedStyle(e).backgroundColor, text: e.localName === "fieldset" ? e.firstChild.textContent :
                       e.localName === "textarea" ? e.value.split("\\n")[0] : e.getAttribute("role") === "listbox" ? "" : e.textContent}]; })); })()""" % UNIT
# Where the window stands in the view: left, top, width, height, and the scale it is shown at.
WINDOW = """(() => { const form = document.getElementById('MainForm'), r = form.getBoundingClientRect(), unit = %s;
    return [r.left * unit, r.top * unit, r.width * unit, r.height * unit, +form.style.zoom]; })()""" % UNIT
# Each list's selected number and its place, the first number in view, the rows it shows,
# whether its view is past its end, and the list the focus is on.
LISTS = """(() => Object.fromEntries(["List1_0", "List1_1", "List1_2", "List1_3"].map(id => {
    const list = document.getElementById(id), rows = Array.from(list.querySelectorAll("[role=option]")), height = list.scrollHeight / rows.length;
    const selected = list.querySelector("[aria-selected=true]"), first = rows[Math.ceil(list.scrollTop / height - 0.01)];
    return [id, {selected: selected && selected.textContent, at: rows.indexOf(selected), first: first ? first.textContent : null,
                 shown: rows.length && Math.floor(list.clientHeight / height + 0.01), past: list.scrollTop + list.clientHeight > list.scrollHeight + 1,
                 focused: document.activeElement === list}]; })))()"""
ARMED, RUN = [False, True], [True, False]


class Page:
    """The contest on the page, in whichever browser shows it."""

    def __init__(self, browser, webcheck):
        self.browser, self.webcheck = browser, webcheck
        self.places = formtable.places(webcheck)

    def at(self, name, dx=None, dy=None):
        """Where a person clicks in a control: its middle, or dx, dy from its top left."""
        x, y, _, _, zoom = self.browser.eval(WINDOW)
        left, top, width, height = self.places[name]["rect"]
        return x + zoom * (left + (width / 2 if dx is None else dx)), y + zoom * (top + (height / 2 if dy is None else dy))

    def click(self, name, dx=None, dy=None):
        self.browser.click(*self.at(name, dx, dy))

    def row_at(self, name, row):
        """Where a list shows its row, in the view."""
        top, height = self.browser.eval("(list => (row => [row.offsetTop - list.scrollTop + list.clientTop, row.offsetHeight])"
                                        "(list.querySelectorAll('[role=option]')[%d]))(document.getElementById('%s'))" % (row, name))
        return self.at(name, 6, top + height / 2)

    def click_row(self, name, row):
        self.browser.click(*self.row_at(name, row))

    def list_boxes(self):
        """Each list a box of rows, as a desktop list box: a click selects a row, the keys move
        the selection and keep it in view (PageDown by the rows the box shows), digits find a
        number; a pool seen at its end still shows numbers after a trial, a number that moves
        is not selected where it goes, and the reset shows the pool from 1."""
        pool = lambda got: got["List1_3"]
        steps = [(lambda: self.click_row("List1_3", 2), lambda got: pool(got)["selected"] == "3" and pool(got)["focused"],
                  "a click selects a row of the pool"),
                 (lambda: self.browser.key("End"), lambda got: pool(got)["selected"] == "1000" and not pool(got)["past"], "End"),
                 (lambda: self.click("Check1_0"), lambda got: pool(got)["first"] and not pool(got)["past"]
                  and pool(got)["selected"] == "1000" and got["List1_0"]["first"] and got["List1_0"]["selected"] is None,
                  "the pool seen at its end, after trial I"),
                 (lambda: self.click_row("List1_0", 0), lambda got: got["List1_0"]["at"] == 0 and pool(got)["selected"] == "1000",
                  "a click selects a row of list I"),
                 (lambda: self.click("Command1_0"), lambda got: pool(got)["first"] == "1"
                  and all(each["selected"] is None for each in got.values()), "Чисти: the pool from 1, nothing selected"),
                 (lambda: self.click_row("List1_3", 0), lambda got: pool(got)["at"] == 0, "a click on 1"),
                 (lambda: self.browser.key("PageDown"), lambda got: pool(got)["shown"] >= 4 and pool(got)["at"] == pool(got)["shown"] - 1,
                  "PageDown to the last row in view"),
                 (lambda: self.browser.key("PageDown"), lambda got: pool(got)["at"] == 2 * (pool(got)["shown"] - 1)
                  and pool(got)["first"] == str(pool(got)["shown"]), "PageDown by the rows shown, kept in view"),
                 (lambda: [self.browser.key(key) for key in ("Up", "Home")], lambda got: pool(got)["at"] == 0, "Up, Home"),
                 (lambda: [self.browser.key(key) for key in ("4", "2")], lambda got: pool(got)["selected"] == "42", "typing 4 2")]
        for act, holds, what in steps:
            act()
            try:
                got = wait_for(what, lambda: (lambda got: holds(got) and got)(self.browser.eval(LISTS)), 3)
            except Failed:
                fail("%s: %r" % (what, self.browser.eval(LISTS)))
            print("  ok: %s (the pool's selection %s, %s rows shown)" % (what, got["List1_3"]["selected"], got["List1_3"]["shown"]))
        return "%d steps with the mouse and the keys" % len(steps)

    def expect(self, counts, boxes, what, focus=None, said=None):
        """The lists, boxes, focus and what a screen reader was told, once the step has settled:
        a box locks, and the focus leaves it, a frame after its trial."""
        deadline = time.monotonic() + 3
        while True:
            state = self.browser.eval(STATE)
            lines = [",".join(texts) for texts in state["lists"]] + [" ".join("%d%d" % tuple(box) for box in state["boxes"])]
            problem = subprocess.run([self.webcheck, "state"], input="\n".join(lines) + "\n", capture_output=True, text=True,
                                     check=True).stdout.strip()
            seen = ([len(texts) for texts in state["lists"]], state["boxes"])
            if said is not None and said(state["lists"]) != state["said"].strip():
                problem += "; a screen reader was told %r" % state["said"]
            if not problem and seen == (counts + [1000 - sum(counts)], boxes) and (not focus or state["focus"] == focus):
                print("  ok:", what)
                return
            if time.monotonic() > deadline:
                fail("%s: %s%r, focus on %s" % (what, problem + "; " if problem else "", seen, state["focus"]))
            time.sleep(0.05)

    def check_layout(self):
        """Every control at the table's place with its text and fixed back colour."""
        shown = self.browser.eval(RECTS)
        for name, want in self.places.items():
            got = shown.get(name)
            if got is None or got["shown"] != want["shown"]:
                fail("%s is %s" % (name, "missing" if got is None else "shown" if got["shown"] else "hidden"))
            if not want["shown"]:
                continue
            # read back through the zoom, a place may round a pixel off
            if any(abs(a - b) > 1 for a, b in zip(got["rect"], want["rect"])) or got["text"].strip() != want["text"].strip():
                fail("%s stands at %r saying %r, not at %r saying %r" % (name, got["rect"], got["text"], want["rect"], want["text"]))
            if want["back"] != "-" and got["back"] != "rgb(%d, %d, %d)" % tuple(bytes.fromhex(want["back"])):
                fail("%s is painted %s, not #%s" % (name, got["back"], want["back"]))
        return "%d controls at their places, with their texts and colours" % len(self.places)

    def contest_by_mouse(self):
        # Near the far end of a box's caption, where the label's own text ends.
        box = {name: (self.places[name]["rect"][2] - 6, None) for name in ("Check1_0", "Check1_1", "Check1_2")}
        # What a screen reader is then told, from the pool: how many are left, the winner.
        left = lambda caption: lambda lists: "%s: остават %d." % (caption, len(lists[3]))
        steps = [("Check1_1", [0, 333, 0], [ARMED, RUN, ARMED], "box II", left("II-ро изпитание")),
                 ("Check1_1", [0, 333, 0], [ARMED, RUN, ARMED], "the locked box II ignores the click", left("II-ро изпитание")),
                 ("Check1_2", [0, 333, 333], [ARMED, RUN, RUN], "box III", left("III-то изпитание")),
                 ("Check1_0", [333, 333, 333], [RUN, RUN, RUN], "box I: one left in the pool",
                  lambda lists: "I-во изпитание: победител е %s." % lists[3][0]),
                 ("Command1_0", [0, 0, 0], [ARMED] * 3, "Чисти", lambda lists: "Начало: 1000.")]
        self.expect([0, 0, 0], [ARMED] * 3, "at start")
        for name, counts, boxes, what, said in steps:
            self.click(name, *box.get(name, (None, None)))
            self.expect(counts, boxes, what, said=said)
        return "%d clicks, the invariants and what a screen reader is told checked after each" % len(steps)


def in_chromium(page, webcheck, scenario):
    def run():
        with Chromium(page) as browser:
            return scenario(browser, Page(browser, webcheck))
    return run


def layout_and_font(browser, page):
    checked = page.check_layout()
    for name in ("Label1_0", "Check1_0", "Command1_0"):
        drawn = browser.faces(name)
        if drawn != {"the page's own"}:
            fail("%s is drawn in %r" % (name, drawn))
    title = browser.eval("document.title + '|' + document.documentElement.lang")
    if title != "www.prince-trials.example Философия - Бастелон, Трелавин|bg":
        fail("the page's title and language: %r" % title)
    noise = [event["params"] for event in browser.events if event.get("method") in ("Log.entryAdded", "Runtime.exceptionThrown")
             or event.get("method") == "Runtime.consoleAPICalled" and event["params"]["type"] in ("error", "warning")]
    if noise:
        fail("the console says %r" % noise)
    return checked + ", drawn in the page's own face; its title is the window's caption; the console clean"


def contest_by_keyboard(browser, page):
    order = formtable.tab_walk(page.places)
    page.expect([0, 0, 0], [ARMED] * 3, "the focus starts in the statement", "Text1_0")
    for name in order:
        browser.key("Tab")
        page.expect([0, 0, 0], [ARMED] * 3, "Tab to " + name, name)
    steps = [(["Tab"] * 6 + ["space"], [333, 0, 0], [RUN, ARMED, ARMED], "Check1_1", "space on box I locks it, the focus moves on"),
             (["Return"], [333, 0, 0], [RUN, ARMED, ARMED], "Check1_1", "Return on box II does nothing"),
             (["space"], [333, 333, 0], [RUN, RUN, ARMED], "Check1_2", "space on box II"),
             (["space"], [333, 333, 333], [RUN] * 3, "Text1_0", "space on box III"),
             (["shift+Tab", "Return"], [0, 0, 0], [ARMED] * 3, "Command1_0", "Return on Чисти"),
             (["Tab", "Tab", "space"], [0, 333, 0], [ARMED, RUN, ARMED], "Check1_2", "space on box II again"),
             (["shift+Tab", "shift+Tab", "space"], [0, 0, 0], [ARMED] * 3, "Command1_0", "space on Чисти")]
    for keys, counts, boxes, focus, what in steps:
        for name in keys:
            browser.key(name)
        page.expect(counts, boxes, what, focus)
    return "the Tab order, then %d steps, each leaving the focus where it belongs" % len(steps)


def resets(browser, page):
    for before in ([], ["Check1_2"], ["Check1_1", "Check1_0"], ["Check1_0", "Check1_2", "Check1_1"]):
        for name in before:
            page.click(name)
        page.click("Command1_0")
        page.expect([0, 0, 0], [ARMED] * 3, "Чисти after %d trials" % len(before))
    return "the reset restores the start from every state"


def screen_reader(browser, page):
    """What the browser tells a screen reader: roles, names and states."""
    page.click("Check1_1")
    # The box's change reaches the window a frame later: read once it has locked the box.
    browser.wait("document.querySelector('#Check1_1 input').disabled")
    browser.call("Accessibility.enable")
    tree = browser.call("Accessibility.getFullAXTree")["nodes"]
    heard = {}
    for node in tree:
        role, name = node.get("role", {}).get("value"), node.get("name", {}).get("value")
        states = {p["name"]: p["value"]["value"] for p in node.get("properties", []) if p["name"] in ("checked", "disabled", "readonly")}
        heard[(role, name)] = dict(states, described=node.get("description", {}).get("value"))
    wanted = {("listbox", "Начало"): {"described": None}, ("listbox", "I-во"): {"described": "празен"},
              ("listbox", "II-ро"): {"described": None}, ("listbox", "III-то"): {"described": "празен"},
              ("checkbox", "I-во изпитание"): {"checked": "false"}, ("checkbox", "II-ро изпитание"): {"checked": "true", "disabled": True},
              ("button", "Чисти"): {}, ("group", "Изпитания на принца"): {}, ("textbox", "Условие на задачата"): {"readonly": True}}
    for (role, name), states in wanted.items():
        got = heard.get((role, name))
        if got is None or any(got.get(k) != v for k, v in states.items()):
            fail("a screen reader finds %s %r as %r, not %r" % (role, name, got, states))
    return "%d controls by role, name and state" % len(wanted)


def selected_number(browser, page):
    """The contrast of the pool's selected number with its highlight, from a screenshot."""
    top, height, back = browser.eval("(list => (row => [row.offsetTop - list.scrollTop + list.clientTop, row.offsetHeight, "
                                     "getComputedStyle(row).backgroundColor])(list.querySelector('[aria-selected]')))"
                                     "(document.getElementById('List1_3'))")
    x, y = page.at("List1_3", 2, top + 1)
    zoom = browser.eval(WINDOW)[4]
    return text_contrast("the selected number", browser.pixels((x, y, 30 * zoom, (height - 2) * zoom)),
                         tuple(int(v) for v in re.findall(r"\d+", back)[:3]))


def dark_scheme(browser, page):
    """Switched to a dark scheme while open, the lists and the statement follow it; the
    captions and a selected number still read."""
    page.click_row("List1_3", 1)
    browser.eval("new Promise(done => requestAnimationFrame(() => setTimeout(done)))")
    selected = [selected_number(browser, page)]
    browser.call("Emulation.setEmulatedMedia", features=[{"name": "prefers-color-scheme", "value": "dark"}])
    browser.eval("new Promise(done => requestAnimationFrame(() => setTimeout(done)))")
    selected.append(selected_number(browser, page))
    backs = browser.eval("['List1_3', 'Text1_0'].map(id => getComputedStyle(document.getElementById(id)).backgroundColor)")
    if any(sum(map(int, re.findall(r"\d+", back)[:3])) > 3 * 96 for back in backs):
        fail("the lists and the statement stay light: %r" % backs)
    x, y, _, _, zoom = browser.eval(WINDOW)
    worst = 21.0
    for name, place in page.places.items():
        if place["back"] == "-" or not place["shown"]:
            continue
        left, top, width, height = formtable.text_area(name, place["rect"])
        rect = (x + zoom * left, y + zoom * top, zoom * width, zoom * height)
        worst = min(worst, text_contrast(name, browser.pixels(rect), tuple(bytes.fromhex(place["back"]))))
    return "the lists and the statement dark; every caption reads at %.1f:1 or more, a selected number at %.1f:1, %.1f:1 dark" % (
        worst, *selected)


def runtime_error(browser, page):
    """A run-time error (here, a list that is no longer on the page) freezes the page with its
    report: a modal message over the window, every control disabled, no event handled."""
    browser.eval("document.getElementById('List1_3').remove()")
    page.click("Check1_0")
    report = "prince-trials: run-time error: the list box is missing"
    shown = browser.wait("(box => box && box.open && box.textContent)(document.getElementById('RuntimeError'))")
    if shown != report:
        fail("the page shows %r, not %r" % (shown, report))
    if browser.eval("Array.from(document.querySelectorAll('#MainForm input, #MainForm button, #MainForm [role=listbox]'))"
                    ".some(e => !e.disabled && e.getAttribute('aria-disabled') !== 'true')"):
        fail("a control still takes input")
    if not any(report in json.dumps(event) for event in browser.events if event.get("method") == "Runtime.consoleAPICalled"):
        fail("the report is not in the browser's console")
    return "the report over the window, every control disabled, the report in the console"


def no_way_out(browser, page):
    """The page's policy lets nothing in or out: not even a request for a file beside it."""
    policy = browser.eval("document.querySelector('meta[http-equiv=Content-Security-Policy]').content")
    if not policy.startswith("default-src 'none';") or "unsafe-inline" in policy:
        fail("the page's policy: %r" % policy)
    fetched = browser.eval("fetch(location.href).then(() => 'fetched', () => 'refused')")
    if fetched != "refused":
        fail("a request from the page was %s" % fetched)
    return "the policy allows nothing from outside; a request is refused"


def in_firefox(page, webcheck, scenario):
    def run():
        with Firefox(page) as browser:
            return scenario(Page(browser, webcheck))
    return run


def in_webkit(page, webcheck):
    """The scenarios in WebKit (MiniBrowser on an X server of its own), read by a screen reader
    over the session's accessibility bus."""
    in_own_session()
    with XServer() as server:
        def run(scenario):
            def opened():
                with WebKit(page, server.name) as browser:
                    return scenario(browser, Page(browser, webcheck))
            return opened
        return run_scenarios("webkit", [
            ("the layout", run(lambda browser, shown: shown.check_layout())),
            ("a contest by mouse", run(lambda browser, shown: shown.contest_by_mouse())),
            ("a contest by keyboard", run(contest_by_keyboard)),
            ("the reset from every state", run(resets)),
            ("the lists", run(lambda browser, shown: shown.list_boxes())),
            ("what a screen reader reads", run(webclassroom.read_in_webkit)),
            ("without JavaScript, WebAssembly or its scripts", lambda: webclassroom.messages_in_webkit(page, server.name)),
        ])


def screenshot(page, webcheck, output):
    """The window after the first two trials; and the whole view on a projector and a phone,
    beside it (OUTPUT-1920x1080.png, OUTPUT-390x844.png)."""
    with Chromium(page) as browser:
        shown = Page(browser, webcheck)
        for view in (None, (1920, 1080, False), (390, 844, True)):
            if view:
                browser.call("Emulation.setDeviceMetricsOverride", width=view[0], height=view[1], deviceScaleFactor=1, mobile=view[2])
                browser.reload()
            for name in ("Check1_0", "Check1_1"):
                shown.click(name)
            shown.expect([333, 333, 0], [RUN, RUN, ARMED], "the first two trials")
            path = output if not view else output.replace(".png", "-%dx%d.png" % view[:2])
            with open(path, "wb") as out:
                out.write(browser.png(browser.eval(WINDOW)[:4] if not view else (0, 0) + view[:2]))
            print("wrote", path)
    return 0


def main(arguments):
    if arguments[:1] == ["screenshot"] and len(arguments) == 4:
        return screenshot(*arguments[1:])
    if len(arguments) != 3 or arguments[0] not in ("chromium", "firefox", "webkit", "contest"):
        print(__doc__, file=sys.stderr)
        return 2
    browser, page, webcheck = arguments
    # What a release checks of its page, and the first of the whole suite in Chromium.
    release = [
        ("the layout and the font", in_chromium(page, webcheck, layout_and_font)),
        ("a contest by mouse", in_chromium(page, webcheck, lambda browser, shown: shown.contest_by_mouse())),
    ]
    if browser == "contest":
        return run_scenarios("chromium", release)
    if browser == "webkit":
        return in_webkit(page, webcheck)
    if browser == "firefox":
        return run_scenarios("firefox", [
            ("the layout", in_firefox(page, webcheck, Page.check_layout)),
            ("a contest by mouse", in_firefox(page, webcheck, Page.contest_by_mouse)),
            ("the lists", in_firefox(page, webcheck, Page.list_boxes)),
            ("without scripts or WebAssembly", lambda: webclassroom.messages_in_firefox(page)),
        ])
    return run_scenarios("chromium", release + [
        ("a contest by keyboard", in_chromium(page, webcheck, contest_by_keyboard)),
        ("the reset from every state", in_chromium(page, webcheck, resets)),
        ("what a screen reader is told", in_chromium(page, webcheck, screen_reader)),
        ("a dark scheme switched to while open", in_chromium(page, webcheck, dark_scheme)),
        ("a run-time error", in_chromium(page, webcheck, runtime_error)),
        ("nothing from outside", in_chromium(page, webcheck, no_way_out)),
        ("the screens of a class", in_chromium(page, webcheck, lambda browser, shown: webclassroom.screens(browser, shown, WINDOW))),
        ("without scripts or WebAssembly", in_chromium(page, webcheck, webclassroom.messages)),
        ("a locked box on a projector", in_chromium(page, webcheck, webclassroom.locked_box)),
        ("the lists", in_chromium(page, webcheck, lambda browser, shown: shown.list_boxes())),
        ("another serif face", lambda: webclassroom.another_serif(page)),
    ])


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

"""Drives the real program on a virtual X server (xcb platform), as a person would: mouse
and keyboard through real X events (xdotool), what the screen shows, and what a screen
reader hears through the accessibility bus (AT-SPI).

usage: realprogram.py window PROGRAM          size and places at any density, no command line, no display
       realprogram.py contest PROGRAM         trials, reset and focus by mouse, keyboard and screen reader
       realprogram.py screenshot PROGRAM OUT  a picture of the window after the first two trials
Each scenario runs on an X server of its own, all in a session bus of their own.
"""

import os
import subprocess
import sys
import time

from harness import Program, ScreenReader, XServer, fail, in_own_session, run_scenarios, wait_for

CAPTION = "www.prince-trials.example Философия - Бастелон, Трелавин"
BOXES = ["I-во изпитание", "II-ро изпитание", "III-то изпитание"]
LISTS = ["I-во", "II-ро", "III-то"]
STATEMENT = ("text", "Условие на задачата")
RESET = ("push button", "Чисти")
# Where a person clicks, in the window at 96 dpi: each box's indicator and the button's middle.
BOX_AT = [(16 + 7, 72 + 12), (16 + 7, 96 + 12), (16 + 7, 120 + 12)]
RESET_AT = (16 + 60, 160 + 12)

# what, environment, Xft.dpi, arguments, window size in pixels, the pool list's place in the window
# as a screen reader reports it (in the toolkit's scaled pixels)
WINDOW_ROWS = [
    ("96 dpi", {}, None, [], (466, 319), (184, 56, 73, 118)),
    ("toolkit scale 2", {"QT_SCALE_FACTOR": "2"}, None, [], (932, 638), (184, 56, 73, 118)),
    ("144 dpi, toolkit scaling off", {"QT_ENABLE_HIGHDPI_SCALING": "0"}, 144, [], (699, 478), (276, 84, 109, 177)),
    ("arguments change nothing", {}, None, ["-reverse", "-style", "windows", "-qwindowgeometry", "200x100+5+5"],
     (466, 319), (184, 56, 73, 118)),
]


def window_scenario(program, environment, dpi, arguments, size, pool):
    def scenario():
        with XServer() as server:
            server.set_dpi(dpi)
            with Program(server, program, arguments, environment) as app:
                geometry = app.window.get_geometry()
                if (geometry.width, geometry.height) != size:
                    fail("window is %dx%d, not %dx%d" % (geometry.width, geometry.height, *size))
                if server.caption(app.window) != CAPTION:
                    fail("caption is %r" % server.caption(app.window))
                reader = ScreenReader()
                place = reader.rect("list", "Начало")
                if place != pool:
                    fail("the pool stands at %r, not %r" % (place, pool))
                # A screen reader's "read the title" looks for the window by its role.
                window = reader.app.get_child_at_index(0)
                if (window.get_role_name(), window.get_name()) != ("frame", CAPTION):
                    fail("a screen reader finds a %s named %r" % (window.get_role_name(), window.get_name()))
                app.close_and_check_exit()
        return "%dx%d frame with its caption, the pool at %r" % (*size, pool)
    return scenario


# Starts that reach no display: what, environment, a part of the one line said.
NO_DISPLAY_ROWS = [
    ("without a display", {}, "neither DISPLAY nor WAYLAND_DISPLAY is set"),
    ("a display with no server", {"DISPLAY": ":77"}, "cannot open the display :77"),
    ("a platform plug-in that is not installed", {"DISPLAY": ":77", "QT_QPA_PLATFORM": "nosuch"}, 'no window system plug-in "nosuch"'),
]


def no_display(program, environment, said):
    def scenario():
        kept = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        result = subprocess.run([program], env=dict(kept, **environment), capture_output=True, text=True, timeout=30)
        lines = result.stderr.splitlines()
        if result.returncode != 1 or len(lines) != 1 or said not in lines[0]:
            fail("status %d, said %r" % (result.returncode, result.stderr))
        return "status 1 and " + lines[0]
    return scenario


def check_window(program):
    scenarios = [(row[0], window_scenario(program, *row[1:])) for row in WINDOW_ROWS]
    return run_scenarios("window", scenarios + [(row[0], no_display(program, *row[1:])) for row in NO_DISPLAY_ROWS])


ARMED, RUN = (False, True), (True, False)


def expect(reader, counts, boxes, what):
    """counts: entries of the three trial lists; boxes: (checked, enabled) of the three boxes."""
    def state():
        return ([reader.count(name) for name in LISTS], reader.count("Начало"), [reader.box(b) for b in BOXES])
    wanted = (counts, 1000 - sum(counts), boxes)
    deadline = time.monotonic() + 10
    while state() != wanted and time.monotonic() < deadline:
        time.sleep(0.05)
    if state() != wanted:
        fail("%s: lists, pool and boxes are %r, expected %r" % (what, state(), wanted))
    items = sum((reader.items(name) for name in LISTS + ["Начало"]), [])
    if sorted(items, key=int) != [str(n) for n in range(1, 1001)]:
        fail(what + ": the four lists do not hold each number once")
    print("  ok:", what)


def contest_scenario(program, steps):
    """Runs steps (act, counts, boxes, what) on a fresh program, each act given the server, the
    window and the screen reader; closing it then ends it with status 0."""
    def scenario():
        with XServer() as server, Program(server, program) as app:
            reader = ScreenReader()
            expect(reader, [0, 0, 0], [ARMED] * 3, "start")
            if reader.items("Начало")[:3] != ["1", "2", "3"]:
                fail("the pool does not start 1, 2, 3")
            server.xdotool("windowfocus", "--sync", str(app.window.id))
            wait_for("the focus in the statement", lambda: reader.focused(*STATEMENT))
            for act, counts, boxes, what in steps:
                act(server, app.window, reader)
                expect(reader, counts, boxes, what)
            app.close_and_check_exit()
        return "%d steps, then closing ends it with status 0" % len(steps)
    return scenario


def click(x, y, times=1):
    def act(server, window, reader):
        origin = window.translate_coords(server.display.screen().root, 0, 0)
        server.xdotool("mousemove", "--sync", str(x - origin.x), str(y - origin.y), "click", "--repeat", str(times),
                       "--delay", "40", "1")
    return act


def key(control, *names):
    def act(server, window, reader):
        reader.focus(*control)
        server.xdotool("key", "--delay", "20", *names)
    return act


def heard_in_order(act, *wanted):
    """act, checking that a screen reader hears wanted, events (type, role, name), in that order."""
    def checked(server, window, reader):
        kinds = sorted({kind for kind, _, _ in wanted})
        heard = [(kind, source.get_role_name(), source.get_name())
                 for kind, source, gained in reader.heard(lambda: act(server, window, reader), kinds) if gained]
        if [event for event in heard if event in wanted] != list(wanted):
            fail("a screen reader hears %r, not %r in that order" % (heard, list(wanted)))
    return checked


def tab_into(tabs, name):
    """Tab from the statement into the list name, the tabs-th control after it: the list's first
    item is then the focused child."""
    def act(server, window, reader):
        reader.focus(*STATEMENT)
        server.xdotool("key", "--delay", "50", *["Tab"] * (tabs - 1))
        gained = [source for _, source, gained in
                  reader.heard(lambda: server.xdotool("key", "Tab"), ["object:state-changed:focused"]) if gained]
        focused = (gained[-1].get_role_name(), gained[-1].get_name(), gained[-1].get_parent().get_name()) if gained else None
        if focused != ("list item", reader.items(name)[0], name):
            fail("after Tab the focus is on %r, not on the first item of %r" % (focused, name))
    return act


def toggle(box):
    return lambda server, window, reader: reader.toggle(BOXES[box])


def tab_walk(program):
    """Tab walks the controls in their order, and each one shows that it has the focus."""
    order = [("list", name) for name in LISTS + ["Начало"]] + [RESET] + [("check box", b) for b in BOXES] + [STATEMENT]
    with XServer() as server, Program(server, program) as app:
        reader = ScreenReader()
        server.xdotool("windowfocus", "--sync", str(app.window.id))
        reader.focus(*STATEMENT)
        for control in order:
            rect = reader.rect(*control)
            before = server.picture(app.window, rect)
            server.xdotool("key", "Tab")
            wait_for("the focus on %r" % (control,), lambda: reader.focused(*control), 5)
            time.sleep(0.3)
            if server.picture(app.window, rect) == before:
                fail("Tab to %r: nothing on screen shows the focus" % (control,))
        app.close_and_check_exit()
    return "%d controls, each showing the focus" % len(order)


def check_contest(program):
    box = [("check box", name) for name in BOXES]
    checked = ("object:state-changed:checked", "check box")
    focused = ("object:state-changed:focused", "check box")
    mouse = [
        # Box I stands at (16, 72), 153 x 25: its far right end, past the caption; the second
        # click of a double click finds it locked.
        (click(16 + 150, 72 + 12, times=2), [333, 0, 0], [RUN, ARMED, ARMED], "double click on the far right of box I"),
        (click(*BOX_AT[0]), [333, 0, 0], [RUN, ARMED, ARMED], "on the disabled box I"),
        (click(*BOX_AT[2]), [333, 0, 333], [RUN, ARMED, RUN], "on box III"),
        (click(*RESET_AT), [0, 0, 0], [ARMED] * 3, "on Чисти"),
    ]
    keyboard = [
        (tab_into(4, "Начало"), [0, 0, 0], [ARMED] * 3, "Tab into the pool: its first item has the focus"),
        (key(box[1], "Return"), [0, 0, 0], [ARMED] * 3, "Return on box II does nothing"),
        (heard_in_order(key(box[1], "space"), (*checked, BOXES[1]), (*focused, BOXES[2])), [0, 333, 0], [ARMED, RUN, ARMED],
         "space on box II: heard checked, then the focus on box III"),
        (tab_into(2, "II-ро"), [0, 333, 0], [ARMED, RUN, ARMED], "Tab into its list: its first item"),
        (key(RESET, "Return"), [0, 0, 0], [ARMED] * 3, "Return on Чисти"),
        # The first space locks box II and moves the focus on; the second runs box III.
        (key(box[1], "space", "space"), [0, 333, 333], [ARMED, RUN, RUN], "space, space on box II"),
        (key(RESET, "KP_Enter"), [0, 0, 0], [ARMED] * 3, "Enter on Чисти"),
        (key(box[2], "space"), [0, 0, 333], [ARMED, ARMED, RUN], "space on box III"),
        (key(RESET, "space"), [0, 0, 0], [ARMED] * 3, "space on Чисти"),
    ]
    screen_reader = [
        (toggle(2), [0, 0, 333], [ARMED, ARMED, RUN], "toggles box III"),
        (toggle(0), [333, 0, 333], [RUN, ARMED, RUN], "toggles box I"),
        (toggle(1), [333, 333, 333], [RUN] * 3, "toggles box II: one left in the pool"),
    ]
    return run_scenarios("contest", [
        ("a contest by mouse", contest_scenario(program, mouse)),
        ("a contest by keyboard", contest_scenario(program, keyboard)),
        ("a contest by screen reader", contest_scenario(program, screen_reader)),
        ("Tab walks the controls", lambda: tab_walk(program)),
    ])


def screenshot(program, output):
    with XServer() as server, Program(server, program) as app:
        ScreenReader()
        for x, y in BOX_AT[:2]:
            server.click(app.window, x, y)
            time.sleep(0.3)
        server.xdotool("mousemove", "1000", "700")
        time.sleep(0.3)
        origin = app.window.translate_coords(server.display.screen().root, 0, 0)
        geometry = app.window.get_geometry()
        server.screenshot(output, (-origin.x, -origin.y, geometry.width, geometry.height))
    print("wrote", output)
    return 0


if __name__ == "__main__":
    modes = {"window": (check_window, 1), "contest": (check_contest, 1), "screenshot": (screenshot, 2)}
    if len(sys.argv) < 3 or sys.argv[1] not in modes or len(sys.argv) != 2 + modes[sys.argv[1]][1]:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    in_own_session()
    sys.exit(modes[sys.argv[1]][0](*sys.argv[2:]))

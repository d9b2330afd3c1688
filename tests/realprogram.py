#!/usr/bin/python3
"""Drives the real program on a virtual X server (xcb platform), as a person would: mouse
and keyboard through real X events (xdotool), what the screen shows, and what a screen
reader hears through the accessibility bus (AT-SPI).

usage: realprogram.py window PROGRAM          size and places at any density, no command line, no display
       realprogram.py contest PROGRAM         trials, reset and focus by mouse, keyboard and screen reader
       realprogram.py desktop PROGRAM PROBE   a dark scheme, Bulgarian menus, the run-time error box
       realprogram.py nowrite PROGRAM         a contest under strace: no file written, no network
Each runs in a session bus of its own.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

from xsession import ScreenReader, XServer, close_and_check_exit, fail, in_own_session, start, text_contrast, wait_for

CAPTION = "www.prince-trials.example Философия - Бастелон, Трелавин"
BOXES = ["I-во изпитание", "II-ро изпитание", "III-то изпитание"]
LISTS = ["I-во", "II-ро", "III-то"]
STATEMENT = ("text", "Условие на задачата")
RESET = ("push button", "Чисти")

# what, environment, Xft.dpi, arguments, window size in pixels, the pool list's place in the window
# as a screen reader reports it (in the toolkit's scaled pixels)
WINDOW_ROWS = [
    ("96 dpi", {}, None, [], (466, 319), (184, 56, 73, 118)),
    ("toolkit scale 2", {"QT_SCALE_FACTOR": "2"}, None, [], (932, 638), (184, 56, 73, 118)),
    ("144 dpi, toolkit scaling off", {"QT_ENABLE_HIGHDPI_SCALING": "0"}, 144, [], (699, 478), (276, 84, 109, 177)),
    ("arguments change nothing", {}, None, ["-reverse", "-style", "windows", "-qwindowgeometry", "200x100+5+5"],
     (466, 319), (184, 56, 73, 118)),
]


def check_window(program):
    with XServer() as server:
        for what, environment, dpi, arguments, size, pool in WINDOW_ROWS:
            server.set_dpi(dpi)
            process, window = start(server, program, arguments, environment)
            geometry = window.get_geometry()
            if (geometry.width, geometry.height) != size:
                fail("%s: window is %dx%d, not %dx%d" % (what, geometry.width, geometry.height, *size))
            if server.caption(window) != CAPTION:
                fail("%s: caption is %r" % (what, server.caption(window)))
            place = ScreenReader().rect("list", "Начало")
            if place != pool:
                fail("%s: the pool stands at %r, not %r" % (what, place, pool))
            close_and_check_exit(server, process, window)
            print("ok: %s: %dx%d window with its caption, the pool at %r" % (what, *size, pool))

    environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    result = subprocess.run([program], env=environment, capture_output=True, text=True, timeout=30)
    lines = result.stderr.splitlines()
    if result.returncode != 1 or len(lines) != 1 or "graphical display" not in lines[0]:
        fail("without a display: status %d, said %r" % (result.returncode, result.stderr))
    print("ok: without a display:", lines[0])
    print("window: 1 passed, 0 failed")


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
    print("ok:", what)


def check_contest(program):
    armed, run = (False, True), (True, False)
    with XServer() as server:
        process, window = start(server, program)
        reader = ScreenReader()
        expect(reader, [0, 0, 0], [armed] * 3, "start")
        if reader.items("Начало")[:3] != ["1", "2", "3"]:
            fail("the pool does not start 1, 2, 3")
        server.xdotool("windowfocus", "--sync", str(window.id))

        def key(control, name):
            reader.focus(*control)
            server.xdotool("key", name)

        box = [("check box", name) for name in BOXES]
        # Box I stands at (16, 72), 153 x 25: its far right end, past the caption, and its indicator.
        steps = [
            (lambda: server.click(window, 16 + 150, 72 + 12), [333, 0, 0], [run, armed, armed], "mouse on the far right of box I"),
            (lambda: server.click(window, 16 + 7, 72 + 12), [333, 0, 0], [run, armed, armed], "mouse on the disabled box I"),
            (lambda: reader.toggle(BOXES[2]), [333, 0, 333], [run, armed, run], "screen reader toggles box III"),
            (lambda: key(box[1], "Return"), [333, 0, 333], [run, armed, run], "Return on box II does nothing"),
            (lambda: key(box[1], "space"), [333, 333, 333], [run, run, run], "space on box II"),
            (lambda: key(RESET, "Return"), [0, 0, 0], [armed] * 3, "Return on Чисти"),
            (lambda: key(box[1], "space"), [0, 333, 0], [armed, run, armed], "space on box II after the reset"),
            (lambda: key(RESET, "KP_Enter"), [0, 0, 0], [armed] * 3, "Enter on Чисти"),
            (lambda: server.click(window, 16 + 7, 120 + 12), [0, 0, 333], [armed, armed, run], "mouse on box III"),
            (lambda: server.click(window, 16 + 60, 160 + 12), [0, 0, 0], [armed] * 3, "mouse on Чисти"),
            (lambda: key(RESET, "space"), [0, 0, 0], [armed] * 3, "space on Чисти again"),
        ]
        for act, counts, boxes, what in steps:
            act()
            expect(reader, counts, boxes, what)

        # Tab walks the controls in their order, and each one shows that it has the focus.
        order = [("list", name) for name in LISTS + ["Начало"]] + [RESET] + box + [STATEMENT]
        reader.focus(*STATEMENT)
        for control in order:
            rect = reader.rect(*control)
            before = server.picture(window, rect)
            server.xdotool("key", "Tab")
            wait_for("the focus on %r" % (control,), lambda: reader.focused(*control), 5)
            time.sleep(0.3)
            if server.picture(window, rect) == before:
                fail("Tab to %r: nothing on screen shows the focus" % (control,))
        print("ok: Tab walks %d controls and each shows the focus" % len(order))

        close_and_check_exit(server, process, window)
        print("ok: closing the window ends the program with status 0")
    print("contest: 1 passed, 0 failed")


# Text on the window's fixed back colours: the part of the control where its text stands.
WINDOW, HEADING, BOX, BUTTON = (192, 192, 255), (255, 192, 128), (255, 192, 255), (255, 128, 128)
CAPTIONS = [
    ("title", (64, 0, 305, 24), HEADING),
    ("heading Начало", (184, 32, 73, 23), HEADING),
    ("heading III-то", (392, 32, 57, 23), HEADING),
    ("frame caption", (12, 48, 150, 22), WINDOW),
    ("box I", (36, 72, 130, 25), BOX),
    ("box III", (36, 120, 130, 25), BOX),
    ("Чисти", (20, 164, 113, 17), BUTTON),
]

# Right clicks that open one of the toolkit's menus: on the statement's text and its scroll bar.
MENUS = [("statement", (100, 250), "Избиране на всичко"), ("scroll bar", (449, 250), "Превъртайте тук")]


def check_desktop(program, probe):
    dark = {"XDG_CURRENT_DESKTOP": "GNOME", "GTK_THEME": "Adwaita:dark", "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"}
    with XServer() as server:
        process, window = start(server, program, environment=dark)
        reader = ScreenReader()
        time.sleep(0.5)
        for what, rect, back in CAPTIONS:
            best = text_contrast(what + " under a dark scheme", sum(server.picture(window, rect), []), back)
            print("ok: %s reads at %.1f:1 under a dark scheme" % (what, best))

        for what, (x, y), expected in MENUS:
            item = reader.focus_after(lambda: (server.click(window, x, y, 3), server.xdotool("key", "Down")), "menu item")
            texts = [text.split("\t")[0].replace("&", "") for text in reader.texts_under(item.get_parent())]
            if expected not in texts:
                fail("%s menu under the C locale: %r, expected %r among them" % (what, texts, expected))
            server.xdotool("key", "Escape")
            print("ok: %s menu in Bulgarian: %r" % (what, texts))
        close_and_check_exit(server, process, window)

        # A run-time error: its report in a box over the window, then a failing status.
        process, _ = start(server, probe, ["text-at"], wm_class="runtimeerrorprobe")
        box = ScreenReader()
        report = "prince-trials: run-time error: list position out of range"
        if ("label", report) not in box.nodes:
            fail("the error box does not show %r: %r" % (report, sorted(box.nodes)))
        server.xdotool("key", "Return")
        status = process.wait(timeout=15)
        if status != 1:
            fail("after the error box the program ended with status %d" % status)
        print("ok: the error box shows the report; the program then ends with status 1")
    print("desktop: 1 passed, 0 failed")


WRITE_FLAGS = re.compile(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND")


def traced_calls(log):
    """The system calls of a strace -f log, with calls split across threads joined again."""
    pending = {}
    for line in log.splitlines():
        pid, _, call = line.partition(" ")
        if call.endswith("<unfinished ...>"):
            pending[pid] = call[: -len("<unfinished ...>")].rstrip()
            continue
        resumed = re.match(r"<\.\.\. \w+ resumed>(.*)", call)
        if resumed:
            call = pending.pop(pid, "") + resumed.group(1)
        yield call


def check_nowrite(program):
    home = os.path.expanduser("~")
    allowed_dirs = [os.environ.get("XDG_CACHE_HOME", os.path.join(home, ".cache")),
                    os.environ.get("XDG_RUNTIME_DIR", "/tmp/runtime-" + os.environ.get("USER", "root"))]
    bus = re.search(r"(?:path|abstract)=([^,;]+)", os.environ.get("DBUS_SESSION_BUS_ADDRESS", ""))
    with tempfile.TemporaryDirectory() as work, XServer() as server:
        log_path = os.path.join(work, "trace")
        strace = ("strace", "-f", "-qq", "-o", log_path, "-e",
                  "trace=open,openat,creat,truncate,rename,renameat,renameat2,unlink,unlinkat,mkdir,mkdirat,"
                  "socket,connect,bind,listen")
        process, window = start(server, program, wrapper=strace)
        for x, y in [(23, 84), (23, 108), (23, 132), (76, 172), (23, 108)]:  # boxes I, II, III, reset, box II
            server.click(window, x, y)
            time.sleep(0.2)
        close_and_check_exit(server, process, window)
        with open(log_path) as log:
            calls = list(traced_calls(log.read()))

    x_socket = "/tmp/.X11-unix/X" + server.name.lstrip(":")
    problems = []
    for call in calls:
        name = call.split("(", 1)[0]
        result = call.rsplit("=", 1)[-1].strip()
        if result.startswith("-1"):
            continue  # refused: nothing happened
        path = re.search(r'"([^"]*)"', call)
        path = path.group(1) if path else ""
        if name in ("open", "openat") and WRITE_FLAGS.search(call) or name in (
                "creat", "truncate", "rename", "renameat", "renameat2", "unlink", "unlinkat", "mkdir", "mkdirat"):
            if path != "/dev/null" and not any(path.startswith(d + "/") or path == d for d in allowed_dirs):
                problems.append("writes a file: " + call)
        elif name == "socket" and "AF_UNIX" not in call:
            problems.append("opens a network socket: " + call)
        elif name == "connect":
            if x_socket not in call and not (bus and bus.group(1) in call):
                problems.append("connects elsewhere: " + call)
        elif name in ("bind", "listen"):
            problems.append("offers a socket: " + call)
    if problems:
        fail("\n".join(problems))
    print("ok: %d traced calls, no file written outside %s, no socket but the display and the bus"
          % (len(calls), " and ".join(allowed_dirs)))
    print("nowrite: 1 passed, 0 failed")


if __name__ == "__main__":
    modes = {"window": (check_window, 1), "contest": (check_contest, 1), "desktop": (check_desktop, 2),
             "nowrite": (check_nowrite, 1)}
    if len(sys.argv) < 3 or sys.argv[1] not in modes or len(sys.argv) != 2 + modes[sys.argv[1]][1]:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    in_own_session()
    modes[sys.argv[1]][0](*sys.argv[2:])

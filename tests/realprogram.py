#!/usr/bin/python3
"""Drives the real program on a virtual X server (xcb platform), as a person would:
mouse and keyboard through real X events (xdotool), and what a screen reader hears through
the accessibility bus (AT-SPI).

usage: realprogram.py window PROGRAM     the window maps at its size and caption, at scale 1 and 2
       realprogram.py contest PROGRAM    trials and reset by mouse, keyboard and screen reader
The contest mode needs a session bus: run it under dbus-run-session.
"""

import os
import warnings
import subprocess
import sys
import time

from Xlib import X, display
from Xlib.protocol import event

CAPTION = "www.prince-trials.example Философия - Бастелон, Трелавин"
WIDTH, HEIGHT = 466, 319


def fail(message):
    print("FAIL:", message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, condition, seconds=15.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    fail("timed out waiting for " + what)


class XServer:
    def __enter__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            self.name = ":" + pipe.readline().strip()
        self.display = display.Display(self.name)
        return self

    def __exit__(self, *exc):
        self.display.close()
        self.process.terminate()
        self.process.wait()

    def find_window(self):
        for window in self.display.screen().root.query_tree().children:
            wm_class = window.get_wm_class() or ()
            if "prince-trials" in wm_class and window.get_attributes().map_state == X.IsViewable:
                return window
        return None

    def caption(self, window):
        prop = window.get_full_property(self.display.intern_atom("_NET_WM_NAME"),
                                        self.display.intern_atom("UTF8_STRING"))
        return prop.value.decode("utf-8") if prop else None

    def close(self, window):
        protocols = self.display.intern_atom("WM_PROTOCOLS")
        delete = self.display.intern_atom("WM_DELETE_WINDOW")
        message = event.ClientMessage(window=window, client_type=protocols,
                                      data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        self.display.flush()

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], check=True, env=dict(os.environ, DISPLAY=self.name))


def start(server, program, scale=1):
    env = dict(os.environ, DISPLAY=server.name, QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR=str(scale),
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([program], env=env)
    window = wait_for("the window to map", server.find_window)
    return process, window


def close_and_check_exit(server, process, window):
    server.close(window)
    try:
        status = process.wait(timeout=15)
    except subprocess.TimeoutExpired:
        process.kill()
        fail("the program did not end when its window was closed")
    if status != 0:
        fail("the program ended with status %d" % status)


def check_window(program):
    with XServer() as server:
        for scale in (1, 2):
            process, window = start(server, program, scale)
            geometry = window.get_geometry()
            if (geometry.width, geometry.height) != (WIDTH * scale, HEIGHT * scale):
                fail("scale %d: window is %dx%d" % (scale, geometry.width, geometry.height))
            if server.caption(window) != CAPTION:
                fail("caption is %r" % server.caption(window))
            close_and_check_exit(server, process, window)
            print("scale %d: %dx%d window mapped with its caption" % (scale, geometry.width, geometry.height))
    print("window: 1 passed, 0 failed")


class ScreenReader:
    """What a screen reader sees of the window, through AT-SPI."""

    def __init__(self):
        import gi
        warnings.simplefilter("ignore", DeprecationWarning)  # the older AT-SPI calls work on every version
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        self.Atspi = Atspi
        self.app = wait_for("the program on the accessibility bus", self._find_app)
        self.nodes = {}
        self._index(self.app)

    def _find_app(self):
        desktop = self.Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == "prince-trials":
                return app
        return None

    def _index(self, node):
        role = node.get_role_name()
        self.nodes[(role, node.get_name())] = node
        if role != "list":
            for i in range(node.get_child_count()):
                self._index(node.get_child_at_index(i))

    def node(self, role, name):
        if (role, name) not in self.nodes:
            fail("a screen reader finds no %s named %r" % (role, name))
        return self.nodes[(role, name)]

    def count(self, list_name):
        return self.node("list", list_name).get_child_count()

    def items(self, list_name):
        node = self.node("list", list_name)
        return [node.get_child_at_index(i).get_name() for i in range(node.get_child_count())]

    def box(self, name):
        states = self.node("check box", name).get_state_set()
        return (states.contains(self.Atspi.StateType.CHECKED), states.contains(self.Atspi.StateType.SENSITIVE))

    def toggle(self, name):
        node = self.node("check box", name)
        for i in range(node.get_n_actions()):
            if node.get_action_name(i).lower() == "toggle":
                node.do_action(i)
                return
        fail("the box %r offers no toggle action" % name)

    def focus(self, role, name):
        self.node(role, name).grab_focus()


BOXES = ["I-во изпитание", "II-ро изпитание", "III-то изпитание"]
LISTS = ["I-во", "II-ро", "III-то"]


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
    with XServer() as server:
        process, window = start(server, program)
        reader = ScreenReader()
        armed, run = (False, True), (True, False)
        expect(reader, [0, 0, 0], [armed] * 3, "start")
        if reader.items("Начало")[:3] != ["1", "2", "3"]:
            fail("the pool does not start 1, 2, 3")

        origin = window.translate_coords(server.display.screen().root, 0, 0)
        left, top = -origin.x, -origin.y

        def click(x, y):
            server.xdotool("mousemove", "--sync", str(left + x), str(top + y), "click", "1")

        # The indicator of box I: frame at (8, 48), box at (8, 24) inside it, indicator at its left.
        click(8 + 8 + 7, 48 + 24 + 12)
        expect(reader, [333, 0, 0], [run, armed, armed], "mouse on box I")
        click(8 + 8 + 7, 48 + 24 + 12)
        expect(reader, [333, 0, 0], [run, armed, armed], "mouse on the disabled box I")

        reader.toggle(BOXES[2])
        expect(reader, [333, 0, 333], [run, armed, run], "screen reader toggles box III")

        server.xdotool("windowfocus", "--sync", str(window.id))
        reader.focus("check box", BOXES[1])
        server.xdotool("key", "space")
        expect(reader, [333, 333, 333], [run, run, run], "space on box II")

        click(16 + 60, 160 + 12)
        expect(reader, [0, 0, 0], [armed] * 3, "mouse on Чисти")

        reader.focus("push button", "Чисти")
        server.xdotool("key", "space")
        expect(reader, [0, 0, 0], [armed] * 3, "space on Чисти again")

        reader.focus("check box", BOXES[1])
        server.xdotool("key", "space")
        expect(reader, [0, 333, 0], [armed, run, armed], "space on box II after the reset")

        close_and_check_exit(server, process, window)
        print("ok: closing the window ends the program with status 0")
    print("contest: 1 passed, 0 failed")


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("window", "contest"):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    {"window": check_window, "contest": check_contest}[sys.argv[1]](sys.argv[2])

#!/usr/bin/python3
"""Drives the real program on a virtual X server (xcb platform), as a person would:
mouse and keyboard through real X events (xdotool), and what a screen reader hears through
the accessibility bus (AT-SPI).

usage: realprogram.py window PROGRAM     the window maps at its size and caption, at scale 1 and 2
       realprogram.py contest PROGRAM    trials and reset by mouse, keyboard and screen reader
       realprogram.py nowrite PROGRAM    a contest under strace: no file written, no network
The contest and nowrite modes need a session bus: run them under dbus-run-session.
"""

import os
import re
import tempfile
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


def start(server, program, scale=1, wrapper=()):
    env = dict(os.environ, DISPLAY=server.name, QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR=str(scale),
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([*wrapper, program], env=env)
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
        origin = window.translate_coords(server.display.screen().root, 0, 0)
        for x, y in [(23, 84), (23, 108), (23, 132), (76, 172), (23, 108)]:  # boxes I, II, III, reset, box II
            server.xdotool("mousemove", "--sync", str(x - origin.x), str(y - origin.y), "click", "1")
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
    modes = {"window": check_window, "contest": check_contest, "nowrite": check_nowrite}
    if len(sys.argv) != 3 or sys.argv[1] not in modes:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    modes[sys.argv[1]](sys.argv[2])

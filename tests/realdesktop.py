"""The real program on the desktop around it, on a virtual X server (xcb platform): a dark
scheme, the toolkit's own menus in Bulgarian, the run-time error box, and a contest under
strace that writes no file and opens no network socket.

usage: realdesktop.py desktop PROGRAM PROBE   a dark scheme, Bulgarian menus, the run-time error box
       realdesktop.py nowrite PROGRAM         a contest under strace: no file written, no network
Each scenario runs on an X server of its own, all in a session bus of their own.
"""

import os
import re
import sys
import tempfile
import time

from harness import (Program, ScreenReader, XServer, expect_exit, fail, in_own_session, require, run_scenarios,
                     text_contrast)
from realprogram import BOX_AT, RESET_AT


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

DARK = {"XDG_CURRENT_DESKTOP": "GNOME", "GTK_THEME": "Adwaita:dark", "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"}


def dark_captions(program):
    with XServer() as server, Program(server, program, environment=DARK) as app:
        ScreenReader()  # the window is on the bus: it has painted
        time.sleep(0.5)
        worst = min(text_contrast(what + " under a dark scheme", sum(server.picture(app.window, rect), []), back)
                    for what, rect, back in CAPTIONS)
        app.close_and_check_exit()
    return "%d captions read at %.1f:1 or more" % (len(CAPTIONS), worst)


def bulgarian_menus(program):
    said = []
    with XServer() as server, Program(server, program, environment=DARK) as app:
        reader = ScreenReader()
        for what, (x, y), expected in MENUS:
            item = reader.focus_after(lambda: (server.click(app.window, x, y, 3), server.xdotool("key", "Down")), "menu item")
            texts = [t.split("\t")[0].replace("&", "") for t in reader.texts_under(item.get_parent()) if t]
            if expected not in texts:
                fail("%s menu under the C locale: %r, expected %r among them" % (what, texts, expected))
            server.xdotool("key", "Escape")
            said.append("%s: %s" % (what, ", ".join(texts[:2])))
        app.close_and_check_exit()
    return "; ".join(said)


def error_box(probe):
    """A run-time error: its report in a box over the window, then a failing status."""
    with XServer() as server, Program(server, probe, ["text-at"], wm_class="runtimeerrorprobe") as app:
        box = ScreenReader()
        report = "prince-trials: run-time error: list position out of range"
        if ("label", report) not in box.nodes:
            fail("the error box does not show %r: %r" % (report, sorted(box.nodes)))
        server.xdotool("key", "Return")
        expect_exit(app.process, 1)
    return "the box shows the report; the program then ends with status 1"


def check_desktop(program, probe):
    return run_scenarios("desktop", [
        ("captions under a dark scheme", lambda: dark_captions(program)),
        ("the toolkit's menus in Bulgarian under the C locale", lambda: bulgarian_menus(program)),
        ("a run-time error", lambda: error_box(probe)),
    ])


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


def nowrite(program):
    require("strace")
    home = os.path.expanduser("~")
    allowed_dirs = [os.environ.get("XDG_CACHE_HOME", os.path.join(home, ".cache")),
                    os.environ.get("XDG_RUNTIME_DIR", "/tmp/runtime-" + os.environ.get("USER", "root"))]
    bus = re.search(r"(?:path|abstract)=([^,;]+)", os.environ.get("DBUS_SESSION_BUS_ADDRESS", ""))
    with tempfile.TemporaryDirectory() as work, XServer() as server:
        log_path = os.path.join(work, "trace")
        strace = ("strace", "-f", "-qq", "-o", log_path, "-e",
                  "trace=open,openat,creat,truncate,rename,renameat,renameat2,unlink,unlinkat,mkdir,mkdirat,"
                  "socket,connect,bind,listen")
        with Program(server, program, wrapper=strace) as app:
            for x, y in BOX_AT + [RESET_AT, BOX_AT[1]]:
                server.click(app.window, x, y)
                time.sleep(0.2)
            app.close_and_check_exit()
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
    return "%d traced calls, no file written outside %s, no socket but the display and the bus" % (
        len(calls), " and ".join(allowed_dirs))


def check_nowrite(program):
    return run_scenarios("nowrite", [("a contest under strace", lambda: nowrite(program))])


if __name__ == "__main__":
    modes = {"desktop": (check_desktop, 2), "nowrite": (check_nowrite, 1)}
    if len(sys.argv) < 3 or sys.argv[1] not in modes or len(sys.argv) != 2 + modes[sys.argv[1]][1]:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    in_own_session()
    sys.exit(modes[sys.argv[1]][0](*sys.argv[2:]))

#!/usr/bin/python3
"""The Windows build of the program under Wine on a virtual X server, driven with real X
mouse clicks and keys (xdotool) and read from another process by the Windows probe.

usage: wineprogram.py test WINDOWS_BUILD_DIR WINE NATIVE_DRAWDIGEST WEBCHECK VERSION VERSION_TEXT ICO
       wineprogram.py screenshot WINDOWS_BUILD_DIR WINE OUTPUT.png
       wineprogram.py executable EXE VERSION VERSION_TEXT ICO   its make-up alone (a release's check)
WINDOWS_BUILD_DIR holds prince-trials.exe and win32probe.exe (and, to test, drawdigest.exe);
WINE is 32, or 64 and why ("64:this kernel runs no 32-bit program"): then the scenarios run
the same programs built for 64-bit Windows, in the folder of that name and 64, under 64-bit
Wine. WEBCHECK says what the layout table holds (tests/formtable.py); VERSION is the project's (1.0.0), VERSION_TEXT as the program shows it (1.00), ICO the
baked icon. Each scenario runs in a session of its own: a virtual X server, a Wine server, the
program and the probe. The screenshot shows the window after the first two trials.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

import formtable
from harness import Failed, NotRun, expect_exit, fail, require, run_scenarios, text_contrast
from winesession import Session, Wine

FRESH, ARMED, RUN = [0, 0, 0], [False, True], [True, False]


def check_layout(session, dpi, client):
    layout = session.layout
    if layout["dpi"] != [dpi, dpi] or layout["client"] != client or layout["problems"]:
        fail("at %d dpi: %r" % (dpi, {k: layout[k] for k in ("dpi", "client", "problems")}))


def check_colours(session, text=None):
    """Each fixed back colour is painted, and the text on it reads at 4.5:1 or more; in the
    colour text, where one is given."""
    ox, oy = session.layout["origin"]
    root = session.x.display.screen().root
    for name, control in session.layout["controls"].items():
        back = control["back"] and tuple(control["back"])
        if not back:
            continue
        x, y, width, height = formtable.text_area(name, control["rect"])
        rect = (ox + x, oy + y, width, height)
        pixels = sum(session.x.picture(root, rect), [])
        text_contrast(name, pixels, back)
        if text is not None and text not in pixels:
            fail("%s: no text painted in %r" % (name, text))


def window_icon_sizes(session):
    """The sizes of the icons the Windows program gives its window, as the desktop sees them."""
    prop = session.window.get_full_property(session.x.display.intern_atom("_NET_WM_ICON"), 0)
    data, sizes = list(prop.value) if prop else [], set()
    while data:
        width, height = data[0], data[1]
        sizes.add((width, height))
        data = data[2 + width * height:]
    return sizes


def scenario_window(wine, build):
    with Session(wine, build) as session:
        check_layout(session, 96, [466, 319])
        if window_icon_sizes(session) != {(32, 32), (16, 16)}:
            fail("the window's icons are %r, not 32 and 16 pixels" % window_icon_sizes(session))
        session.expect(FRESH, [ARMED] * 3, "start: the full pool, empty lists, armed boxes")
        check_colours(session)
        read = session.ask("read")
        if read["problems"]:
            fail("through the accessibility interface: %r" % read["problems"])
        session.close()
    return ("at 96 dpi every control stands at its place with its text, the icon large and small, every fixed "
            "back colour painted with text at 4.5:1 or more, a screen reader reads the window and every control "
            "by its caption, each list after its heading; closing gives status 0")


def scenario_scheme(wine, build):
    """The scheme's text colour turns to a light pink that would not read on the window's fixed
    back colours: the captions still read, in the running window and in one started under the
    new scheme, and where the scheme's colour reads (dark blue) they take it. Wine keeps each
    process's system colours apart: a running program is told of the change, but keeps
    reading the old colours, so the new ones are seen by a program started afterwards."""
    with Session(wine, build) as session:
        try:
            for colour, painted in (((250, 200, 250), None), ((0, 0, 160), (0, 0, 160))):
                if not session.ask("syscolours %d %d %d" % colour).get("set"):
                    fail("the probe could not set the system colours")
                time.sleep(1)
                check_colours(session)
                session.restart()
                check_colours(session, painted)
        finally:
            session.ask("syscolours restore")
        session.close()
    return "the captions read at 4.5:1 or more under a light pink, and take a dark blue"


def scenario_error(wine, build):
    """A run-time error: its report in a message box, read from another process; once the box is
    closed, status 1."""
    with Session(wine, build, "win32errorprobe.exe") as session:
        box = session.ask("errorbox")
        report = "prince-trials: run-time error: the list box is missing"
        if box.get("text") != report:
            fail("the error box says %r, not %r" % (box, report))
        expect_exit(session.program, 1, seconds=30)
    return "the box says %r; closed, the program ends with status 1" % report


def scenario_mouse(wine, build):
    with Session(wine, build) as session:
        steps = [("Check1_1", [0, 333, 0], [ARMED, RUN, ARMED], "mouse on box II"),
                 ("Check1_1", [0, 333, 0], [ARMED, RUN, ARMED], "mouse on the locked box II"),
                 ("Check1_2", [0, 333, 333], [ARMED, RUN, RUN], "mouse on box III"),
                 ("Check1_0", [333, 333, 333], [RUN] * 3, "mouse on box I: one left in the pool"),
                 ("Command1_0", FRESH, [ARMED] * 3, "mouse on Чисти")]
        for control, counts, boxes, what in steps:
            session.click(control)
            session.expect(counts, boxes, what)
        session.close()
    return "%d clicks, then closing gives status 0" % len(steps)


def scenario_keyboard(wine, build, webcheck):
    walk = formtable.tab_walk(formtable.places(webcheck))
    with Session(wine, build) as session:
        session.expect_focus(walk[-1], "at start")
        for name in walk:
            session.keys("Tab")
            session.expect_focus(name, "Tab")
        print("  ok: the focus starts in the statement and Tab walks %d controls in order" % len(walk))
        # Keys, then the lists and boxes and where the focus is; a step that changes nothing
        # is followed by one that would show it if it had.
        steps = [(["Tab"] * 6 + ["space"], [333, 0, 0], [RUN, ARMED, ARMED], "Check1_1", "space on box I"),
                 (["Return"], [333, 0, 0], [RUN, ARMED, ARMED], "Check1_1", "Return on box II does nothing"),
                 (["space"], [333, 333, 0], [RUN, RUN, ARMED], "Check1_2", "space on box II"),
                 (["space"], [333, 333, 333], [RUN] * 3, "Text1_0", "space on box III"),
                 (["shift+Tab", "Return"], FRESH, [ARMED] * 3, "Command1_0", "Return on Чисти"),
                 (["Tab", "space"], [333, 0, 0], [RUN, ARMED, ARMED], "Check1_1", "space on box I again"),
                 (["shift+Tab", "KP_Enter"], FRESH, [ARMED] * 3, "Command1_0", "Enter on Чисти"),
                 (["Tab", "Tab", "space"], [0, 333, 0], [ARMED, RUN, ARMED], "Check1_2", "space on box II again"),
                 (["shift+Tab", "shift+Tab", "space"], FRESH, [ARMED] * 3, "Command1_0", "space on Чисти")]
        for keys, counts, boxes, focus, what in steps:
            session.keys(*keys)
            session.expect(counts, boxes, what)
            session.expect_focus(focus, what)
        session.close()
    return "the Tab order, then %d steps, each leaving the focus where it belongs; closing gives status 0" % len(steps)


def scenario_dpi144(wine, build):
    wine.set_dpi(144)
    try:
        with Session(wine, build) as session:
            check_layout(session, 144, [699, 478])
            session.close()
    finally:
        wine.set_dpi(96)
    return "the client area is 699x478 and every control stands at its place"


def check_executable(path, version, text, ico):
    """One small 32-bit GUI program that needs only Windows' own libraries, aware of terminal
    servers, with the project's version record and the baked icon in five sizes."""
    require("pefile", "wrestool", "icotool")
    import pefile
    exe = pefile.PE(path)
    size = os.path.getsize(path)
    terminal_server_aware = exe.OPTIONAL_HEADER.DllCharacteristics & 0x8000
    if exe.FILE_HEADER.Machine != 0x14C or exe.OPTIONAL_HEADER.Subsystem != 2 or size >= 1 << 20 or not terminal_server_aware:
        fail("not a terminal-server aware PE32 GUI program for i386 under 1 MiB: machine %#x, subsystem %d, %d bytes, %#x"
             % (exe.FILE_HEADER.Machine, exe.OPTIONAL_HEADER.Subsystem, size, exe.OPTIONAL_HEADER.DllCharacteristics))
    dlls = {entry.dll.decode().upper() for entry in exe.DIRECTORY_ENTRY_IMPORT}
    if not dlls <= {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "MSVCRT.DLL"}:
        fail("imports more than Windows' own libraries: %r" % sorted(dlls))
    numbers = [int(n) for n in version.split(".")] + [0]
    fixed = exe.VS_FIXEDFILEINFO[0]
    got = [fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF, fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF]
    table = exe.FileInfo[0][0].StringTable[0]
    strings = {k.decode(): v.decode() for k, v in table.entries.items()}
    if got != numbers or table.LangID != b"040904B0" or len(strings) != 8 or not all(strings.values()) \
            or strings["FileVersion"] != text or strings["ProductVersion"] != text:
        fail("the version record: %r %r %r" % (got, table.LangID, strings))
    with tempfile.TemporaryDirectory() as work:
        extracted = os.path.join(work, "icon.ico")
        subprocess.run(["wrestool", "-x", "--type=group_icon", "-o", extracted, path], check=True)
        listing = subprocess.run(["icotool", "-l", extracted], capture_output=True, text=True, check=True).stdout
        with open(extracted, "rb") as a, open(ico, "rb") as b:
            baked = b.read()
            # The resource keeps the icon's directory and image; wrestool may pad what follows.
            sizes = sorted(int(width) for width in re.findall(r"--width=(\d+)", listing))
            if a.read()[:len(baked)] != baked or sizes != [16, 24, 32, 48, 64] or listing.count("--bit-depth=8") != 5:
                fail("the executable's icon is not the baked one in its five sizes: %s" % listing)
    return "PE32 GUI i386, terminal-server aware, %d bytes, imports %s; version %s (%s) in 040904B0 with 8 entries; the baked icon, 16 to 64 pixels" % (
        size, ", ".join(sorted(dlls)), ".".join(map(str, got)), text)


def scenario_draw(wine, build, native):
    if wine.bits != 32:
        raise NotRun("only the 32-bit build can show its own draw, and it does not run here (%s)" % wine.note)
    windows = subprocess.run([wine.loader, os.path.join(build, "drawdigest.exe")], env=wine.env, capture_output=True,
                             text=True, timeout=120).stdout.replace("\r\n", "\n")
    linux = subprocess.run([native], capture_output=True, text=True, check=True, timeout=120).stdout
    if windows != linux or not linux:
        fail("the draw differs:\nWindows:\n%sLinux:\n%s" % (windows, linux))
    return "over every value of r and three contests"


def screenshot(wine, build, output):
    with Session(wine, build) as session:
        session.click("Check1_0")
        session.expect([333, 0, 0], [RUN, ARMED, ARMED], "box I")
        session.click("Check1_1")
        session.expect([333, 333, 0], [RUN, RUN, ARMED], "box II")
        session.x.xdotool("mousemove", "1000", "700")
        time.sleep(1)
        session.x.screenshot(output, (*session.layout["origin"], *session.layout["client"]))
    print("wrote", output)


def main(arguments):
    if arguments[:1] == ["executable"] and len(arguments) == 5:
        return run_scenarios("wine", [("the executable", lambda: check_executable(*arguments[1:]))])
    if arguments[:1] == ["test"] and len(arguments) == 8:
        build, choice, native, webcheck, version, text, ico = arguments[1:]
    elif arguments[:1] == ["screenshot"] and len(arguments) == 4:
        build, choice, output = arguments[1:]
    else:
        print(__doc__, file=sys.stderr)
        return 2
    with tempfile.TemporaryDirectory(prefix="wine-", dir=build) as home:
        try:
            wine = Wine(os.path.join(home, "prefix"), choice)
        except Failed as failure:
            print("FAIL: the Wine prefix: %s" % failure, file=sys.stderr)
            return 1
        if arguments[0] == "screenshot":
            screenshot(wine, build, output)
            return 0
        return run_scenarios("wine", [
            ("the executable", lambda: check_executable(os.path.join(build, "prince-trials.exe"), version, text, ico)),
            ("the 32-bit draw is the Linux build's", lambda: scenario_draw(wine, build, native)),
            ("the window", lambda: scenario_window(wine, build)),
            ("a colour scheme switched while it runs", lambda: scenario_scheme(wine, build)),
            ("a run-time error", lambda: scenario_error(wine, build)),
            ("a contest by mouse", lambda: scenario_mouse(wine, build)),
            ("a contest by keyboard", lambda: scenario_keyboard(wine, build, webcheck)),
            ("the window at 144 dpi", lambda: scenario_dpi144(wine, build)),
        ], wine.note)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

"""The harness of the real-program tests, the benchmarks and the screenshots: the tools they
need, a virtual X server, a session bus of their own, real X input through xdotool, pictures
of the screen, what a screen reader hears over the accessibility bus (AT-SPI), and a runner
that runs each scenario on its own and counts what passed."""

import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
import warnings

# What each tool or module comes in, on Debian.
PACKAGES = {
    "Xvfb": "xvfb", "xdotool": "xdotool", "import": "imagemagick", "strace": "strace",
    "dbus-run-session": "dbus", "/usr/libexec/at-spi-bus-launcher": "at-spi2-core",
    "wine": "wine", "wineserver": "wine", "wrestool": "icoutils", "icotool": "icoutils",
    "Xlib": "python3-xlib", "gi": "python3-gi", "Atspi": "gir1.2-atspi-2.0", "pefile": "python3-pefile",
    "chromium": "chromium", "firefox-esr": "firefox-esr", "websocket": "python3-websocket", "convert": "imagemagick",
    "WebKitWebDriver": "webkit2gtk-driver", "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser": "libwebkit2gtk-4.1-0",
    "selenium": "python3-selenium",
}


def require(*names):
    """Ends with one line naming the package of the first tool or module that is missing."""
    for name in names:
        if name == "Atspi":
            found = _atspi() is not None
        elif name in ("Xlib", "gi", "pefile", "websocket", "selenium"):
            found = importlib.util.find_spec(name) is not None
        else:
            found = os.path.exists(name) if name.startswith("/") else shutil.which(name) is not None
        if not found:
            print("%s: needs %s, from the Debian package %s (apt-get install %s)"
                  % (os.path.basename(sys.argv[0]), name, PACKAGES[name], PACKAGES[name]), file=sys.stderr)
            sys.exit(1)


def _atspi():
    try:
        import gi
        warnings.simplefilter("ignore", DeprecationWarning)  # the older AT-SPI calls work on every version
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        return Atspi
    except (ImportError, ValueError):
        return None


class Failed(AssertionError):
    """A check that did not hold: it ends its scenario, not the run."""


def fail(message):
    raise Failed(message)


class NotRun(Exception):
    """A scenario that cannot run on this machine: counted as skipped, with the reason."""


def run_scenarios(title, scenarios, note=None):
    """Runs each (name, function) on its own: a failed check ends its scenario only. A function
    may return a detail for its line, or raise NotRun. Prints a line a scenario and the true
    counts last, with the note; the status is 0 when every one that ran passed."""
    passed = failed = skipped = 0
    for name, scenario in scenarios:
        try:
            detail = scenario()
        except Failed as failure:
            print("FAIL: %s: %s" % (name, failure), file=sys.stderr)
            failed += 1
        except NotRun as reason:
            print("not run: %s: %s" % (name, reason))
            skipped += 1
        except Exception:  # a fault of the harness or the program: reported, and the run goes on
            print("FAIL: %s:\n%s" % (name, traceback.format_exc()), file=sys.stderr)
            failed += 1
        else:
            print("ok: %s%s" % (name, ": " + detail if detail else ""))
            passed += 1
        sys.stdout.flush()
        sys.stderr.flush()
    print("%s: %d passed, %d failed%s%s" % (title, passed, failed, ", %d skipped" % skipped if skipped else "",
                                             " (%s)" % note if note else ""))
    return 0 if failed == 0 and passed > 0 else 1


def in_own_session():
    """Runs this script again inside a session bus of its own with a runtime folder of its
    own, unless it already is: the accessibility bus a session starts keeps its socket in the
    runtime folder, and two sessions at once (tests run in parallel) must not share it."""
    if os.environ.get("PRINCE_OWN_SESSION"):
        return
    require("dbus-run-session")
    with tempfile.TemporaryDirectory(prefix="session-") as runtime:
        env = dict(os.environ, XDG_RUNTIME_DIR=runtime, PRINCE_OWN_SESSION="1")
        status = subprocess.run(["dbus-run-session", "--", sys.executable, *sys.argv], env=env).returncode
    sys.exit(status)


def expect_exit(process, status=0, seconds=15):
    """Fails unless the process ends within seconds, with status."""
    try:
        ended = process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        fail("the program did not end")
    if ended != status:
        fail("the program ended with status %d, not %d" % (ended, status))


def wait_for(what, condition, seconds=15.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    fail("timed out waiting for " + what)


class XServer:
    """A virtual X server of its own (Xvfb), and a connection to it."""

    def __enter__(self):
        require("Xvfb", "Xlib")
        from Xlib import display
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

    def env(self, **more):
        return dict(os.environ, DISPLAY=self.name, **more)

    def set_dpi(self, dpi):
        """The screen density a desktop announces to its programs (Xft.dpi); None for none."""
        from Xlib import Xatom
        root = self.display.screen().root
        resources = self.display.intern_atom("RESOURCE_MANAGER")
        if dpi is None:
            root.delete_property(resources)
        else:
            root.change_property(resources, Xatom.STRING, 8, b"Xft.dpi:\t%d\n" % dpi)
        self.display.sync()

    def find_window(self, wm_class="prince-trials"):
        from Xlib import X
        for window in self.display.screen().root.query_tree().children:
            if wm_class in (window.get_wm_class() or ()) and window.get_attributes().map_state == X.IsViewable:
                return window
        return None

    def caption(self, window):
        prop = window.get_full_property(self.display.intern_atom("_NET_WM_NAME"),
                                        self.display.intern_atom("UTF8_STRING"))
        return prop.value.decode("utf-8") if prop else None

    def picture(self, window, rect):
        """The pixels of rect = (x, y, width, height) of the window, as (red, green, blue) rows."""
        from Xlib import X
        x, y, width, height = rect
        data = window.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data
        return [[(data[i + 2], data[i + 1], data[i]) for i in range(row * width * 4, (row + 1) * width * 4, 4)]
                for row in range(height)]

    def screenshot(self, output, rect):
        """The screen's rect = (x, y, width, height) as a PNG file."""
        require("import")
        x, y, width, height = rect
        subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage", output],
                       env=self.env(), check=True)

    def close(self, window):
        from Xlib import X
        from Xlib.protocol import event
        protocols = self.display.intern_atom("WM_PROTOCOLS")
        delete = self.display.intern_atom("WM_DELETE_WINDOW")
        message = event.ClientMessage(window=window, client_type=protocols,
                                      data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        self.display.flush()

    def xdotool(self, *args):
        require("xdotool")
        subprocess.run(["xdotool", *args], check=True, env=self.env())

    def click(self, window, x, y, button=1):
        """A real mouse click at (x, y) of the window."""
        origin = window.translate_coords(self.display.screen().root, 0, 0)
        self.xdotool("mousemove", "--sync", str(x - origin.x), str(y - origin.y), "click", str(button))


def luminance(rgb):
    """The relative luminance of an sRGB colour, as WCAG 2 defines it."""
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    """The WCAG contrast ratio of two colours, 1 to 21."""
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


def text_contrast(what, pixels, back):
    """The contrast of the text in pixels with the back colour around it: fails unless the
    back colour is painted and some text reads on it at 4.5:1 or more."""
    if back not in pixels:
        fail("%s: the back colour %r is not painted" % (what, back))
    best = max(contrast(back, pixel) for pixel in pixels)
    if best < 4.5:
        fail("%s: text on %r reads at a contrast of %.2f" % (what, back, best))
    return best


class Program:
    """The program started on an X server, and its window once it is mapped."""

    def __init__(self, server, program, arguments=(), environment=None, wrapper=(), wm_class="prince-trials"):
        self.server = server
        env = server.env(QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **(environment or {}))
        self.process = subprocess.Popen([*wrapper, program, *arguments], env=env)
        try:
            self.window = wait_for("the window to map", lambda: server.find_window(wm_class))
        except Failed:
            self.kill()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.kill()

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def close_and_check_exit(self):
        self.server.close(self.window)
        expect_exit(self.process)


class ScreenReader:
    """What a screen reader sees of a program, through AT-SPI."""

    def __init__(self, name="prince-trials"):
        require("gi", "Atspi", "/usr/libexec/at-spi-bus-launcher")
        from gi.repository import GLib
        self.Atspi = _atspi()
        self.GLib = GLib
        self.name = name
        self.app = wait_for("the program on the accessibility bus", self._find_app)
        self.nodes = {}
        self._index(self.app)

    def _find_app(self):
        # Programs that came and went since the last look are news on the bus: take it in,
        # and read the desktop afresh rather than from the cache.
        context = self.GLib.MainContext.default()
        while context.pending():
            context.iteration(False)
        desktop = self.Atspi.get_desktop(0)
        desktop.clear_cache()
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == self.name:
                return app
        return None

    def _index(self, node):
        role = node.get_role_name()
        self.nodes[(role, node.get_name())] = node
        if role not in ("list", "list box"):
            for i in range(node.get_child_count()):
                self._index(node.get_child_at_index(i))

    def node(self, role, name):
        if (role, name) not in self.nodes:
            fail("a screen reader finds no %s named %r" % (role, name))
        return self.nodes[(role, name)]

    def rect(self, role, name):
        """Where the control stands in its window: (x, y, width, height)."""
        extents = self.node(role, name).get_extents(self.Atspi.CoordType.WINDOW)
        return extents.x, extents.y, extents.width, extents.height

    def count(self, list_name):
        return self.node("list", list_name).get_child_count()

    def items(self, list_name):
        node = self.node("list", list_name)
        return [node.get_child_at_index(i).get_name() for i in range(node.get_child_count())]

    def box(self, name):
        states = self.node("check box", name).get_state_set()
        return (states.contains(self.Atspi.StateType.CHECKED), states.contains(self.Atspi.StateType.SENSITIVE))

    def focused(self, role, name):
        return self.node(role, name).get_state_set().contains(self.Atspi.StateType.FOCUSED)

    def toggle(self, name):
        node = self.node("check box", name)
        for i in range(node.get_n_actions()):
            if node.get_action_name(i).lower() == "toggle":
                node.do_action(i)
                return
        fail("the box %r offers no toggle action" % name)

    def focus(self, role, name):
        self.node(role, name).grab_focus()
        wait_for("the focus on %s %r" % (role, name), lambda: self.focused(role, name), 5)

    def heard(self, act, kinds, until=None, seconds=1.0):
        """Runs act() and returns the events of kinds (AT-SPI event types) a screen reader gets
        meanwhile, in order, as (type, source, detail1): for seconds, or until until(events)."""
        events = []
        listener = self.Atspi.EventListener.new(lambda event: events.append((event.type, event.source, event.detail1)))
        for kind in kinds:
            listener.register(kind)
        act()
        context = self.GLib.MainContext.default()
        deadline = time.monotonic() + seconds
        while not (until and until(events)) and time.monotonic() < deadline:
            context.iteration(False)
            time.sleep(0.01)
        for kind in kinds:
            listener.deregister(kind)
        return events

    def focus_after(self, act, role, seconds=5.0):
        """Runs act() and returns the first control of role that then takes the focus. Popup
        menus are not among the program's windows on the bus; a screen reader meets them so."""
        def taken(events):
            return [source for _, source, gained in events if gained and source.get_role_name() == role]
        caught = taken(self.heard(act, ["object:state-changed:focused"], taken, seconds))
        if not caught:
            fail("no %s took the focus" % role)
        return caught[0]

    @staticmethod
    def texts_under(node):
        return [node.get_child_at_index(i).get_name() for i in range(node.get_child_count())]

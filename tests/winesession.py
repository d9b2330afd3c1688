"""The Windows build under Wine, as the tests and the benchmarks run it: a private Wine prefix,
and a session of the program (or another of the build's executables) on its own virtual X
server, with the Windows probe reading it from another process."""

import json
import os
import subprocess
import tempfile
import time

from harness import XServer, expect_exit, fail, require, wait_for


class Wine:
    """A private Wine prefix in which Times New Roman stands for Liberation Serif. choice is
    "32": the Windows build (windows/) under Wine's 32-bit loader; or "64:" and why: the same
    program built for 64-bit Windows (windows64/ beside it) under 64-bit Wine, which runs where
    the kernel runs no 32-bit program."""

    def __init__(self, prefix, choice="32"):
        require("wine", "wineserver")
        bits, _, why = choice.partition(":")
        self.bits = int(bits)
        self.note = "32-bit build" if self.bits == 32 else "64-bit build: " + why
        self.loader = "wine" if self.bits == 32 else "/usr/lib/wine/wine64"
        self.env = dict(os.environ, WINEPREFIX=os.path.abspath(prefix), WINEARCH="win%d" % self.bits, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        if self.bits == 64:
            self.env["WINELOADER"] = self.loader  # what Debian's wine does where wine32 is missing
        if not os.path.exists(os.path.join(prefix, "system.reg")):
            self.run(self.loader, "wineboot", "-i")
            self.run(self.loader, "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", "Times New Roman",
                     "/t", "REG_SZ", "/d", "Liberation Serif", "/f")
        self.run("wineserver", "-w")

    def tree(self, windows):
        """The folder of the build that runs: windows, or windows64 beside it."""
        return windows if self.bits == 32 else os.path.normpath(windows) + "64"

    def run(self, *command, display=None):
        """Runs a Wine command to its end; where it fails, the failure names the command and
        shows the last lines Wine wrote. The output goes to a file: the services a command
        starts keep it open after the command has ended."""
        env = dict(self.env, DISPLAY=display) if display else self.env
        with tempfile.TemporaryFile() as output:
            status = subprocess.run(command, env=env, stdout=output, stderr=subprocess.STDOUT, timeout=300).returncode
            if status != 0:
                output.seek(0)
                lines = output.read().decode(errors="replace").splitlines()[-15:]
                fail("%s exited with status %d:\n%s" % (" ".join(command), status, "\n".join(lines)))

    def set_dpi(self, dpi):
        self.run(self.loader, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
        self.run("wineserver", "-w")


class Session:
    """The program (or another of the build's executables) under Wine on its own X server, and
    the probe reading it."""

    def __init__(self, wine, build, executable="prince-trials.exe"):
        self.wine, self.build, self.executable = wine, wine.tree(build), executable

    def __enter__(self):
        self.x = XServer().__enter__()
        self.program = self.probe = None
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        env = dict(self.wine.env, DISPLAY=self.x.name)
        self.program = subprocess.Popen([self.wine.loader, os.path.join(self.build, self.executable)], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self.probe is None:
            self.probe = subprocess.Popen([self.wine.loader, os.path.join(self.build, "win32probe.exe")], env=env, text=True,
                                          stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if self.executable != "prince-trials.exe":
            return
        if not self.ask("wait").get("window"):
            fail("the window did not appear")
        self.layout = self.ask("layout")
        # The keyboard goes to the window that has the X input focus; there is no window
        # manager to give it.
        self.window = wait_for("the window on the display", lambda: self.x.find_window("prince-trials.exe"))
        self.x.xdotool("windowfocus", "--sync", str(self.window.id))
        time.sleep(0.5)

    def __exit__(self, *exc):
        for process in (self.probe, self.program):
            if process is not None and process.poll() is None:
                process.kill()
        subprocess.run(["wineserver", "-k"], env=dict(self.wine.env, DISPLAY=self.x.name), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        self.x.__exit__(*exc)

    def ask(self, command):
        self.probe.stdin.write(command + "\n")
        self.probe.stdin.flush()
        line = self.probe.stdout.readline()
        if not line:
            fail("the probe ended at %r" % command)
        return json.loads(line)

    def point(self, name, dx=None, dy=None):
        """Screen coordinates within a control: its middle, or dx, dy from its top left."""
        x, y, width, height = self.layout["controls"][name]["rect"]
        ox, oy = self.layout["origin"]
        return ox + x + (width // 2 if dx is None else dx), oy + y + (height // 2 if dy is None else dy)

    def click(self, name):
        x, y = self.point(name)
        self.x.xdotool("mousemove", "--sync", str(x), str(y), "click", "1")

    def keys(self, *names):
        for name in names:
            self.x.xdotool("key", name)
            time.sleep(0.15)

    def expect(self, counts, boxes, what):
        deadline = time.monotonic() + 10
        while True:
            state = self.ask("state")
            if state["counts"] == counts + [1000 - sum(counts)] and state["boxes"] == boxes and not state["problem"]:
                print("  ok:", what)
                return
            if time.monotonic() > deadline:
                fail("%s: %r" % (what, state))
            time.sleep(0.1)

    def expect_focus(self, name, what):
        deadline = time.monotonic() + 5
        while self.ask("focus")["focus"] != name:
            if time.monotonic() > deadline:
                fail("%s: the focus is on %r, not %r" % (what, self.ask("focus")["focus"], name))
            time.sleep(0.1)

    def restart(self):
        """Closes the program and starts it again, in the same Wine session."""
        self.close()
        self._start()

    def close(self):
        self.ask("close")
        expect_exit(self.program, seconds=30)

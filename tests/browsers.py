"""The two browsers the page is tested and measured in, each headless with a profile of its
own and the page opened from file://: Debian's Chromium, driven through its DevTools
protocol with real input events, and Firefox ESR, driven through its own remote protocol
(Marionette), for which Debian has no driver: a small client of it is here."""

import base64
import json
import os
import re
import shutil
import socket
import subprocess
import tempfile
import urllib.request

from harness import fail, require, wait_for


class Browser:
    """A browser process with a profile of its own, and its connection; both go at the end."""

    def __init__(self, name):
        self.profile = tempfile.mkdtemp(prefix=name + "-")
        self.process = self.connection = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.connection:
            self.connection.close()
        if self.process:
            self.process.terminate()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


class Chromium(Browser):
    """A headless Chromium with the page open, driven through its DevTools protocol."""

    def __init__(self, page, env=None, arguments=()):
        require("chromium", "websocket")
        import websocket
        super().__init__("chromium")
        self.process = subprocess.Popen(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
             "--disable-component-update", "--disable-sync", "--remote-debugging-port=0", "--user-data-dir=" + self.profile,
             "--window-size=800,600", *arguments, "about:blank"], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
            env=dict(os.environ, **(env or {})))
        address = None
        while address is None:
            line = self.process.stderr.readline()
            if not line:
                fail("Chromium ended before it listened")
            address = re.search(r"DevTools listening on ws://([^/]+)/", line)
        with urllib.request.urlopen("http://%s/json/list" % address.group(1)) as reply:
            target = next(t for t in json.load(reply) if t["type"] == "page")
        self.connection = websocket.create_connection(target["webSocketDebuggerUrl"], suppress_origin=True)
        self.serial, self.events = 0, []
        for domain in ("Page", "Runtime", "DOM", "CSS", "Log"):
            self.call(domain + ".enable")
        self.open(page)

    def open(self, page):
        """Opens the page, and waits for it to be painted (its PT.painted, in ms from the start)."""
        self.page = page
        self.call("Page.navigate", url="file://" + os.path.abspath(page))
        return self.wait("window.PT && PT.painted")

    def reload(self, painted=True):
        """Opens the page afresh; waits for it to be painted, or for the new document."""
        self.eval("window.PT = null")
        self.call("Page.navigate", url="file://" + os.path.abspath(self.page))
        if painted:
            self.wait("window.PT && PT.painted")
        else:
            wait_for("the new document", lambda: self.call("Runtime.evaluate", expression="window.PT", returnByValue=True)
                     ["result"].get("type") == "undefined")

    def wait(self, expression):
        """Waits for an expression to be true in the page; what it is then."""
        return wait_for(expression[:60], lambda: self.call("Runtime.evaluate", expression=expression,
                                                           returnByValue=True)["result"].get("value"))

    def call(self, method, **params):
        self.serial += 1
        self.connection.send(json.dumps({"id": self.serial, "method": method, "params": params}))
        while True:
            message = json.loads(self.connection.recv())
            if message.get("id") == self.serial:
                if "error" in message:
                    fail("%s: %s" % (method, message["error"]))
                return message["result"]
            self.events.append(message)

    def eval(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            fail("the page could not evaluate %r: %s" % (expression[:60], result["exceptionDetails"]))
        return result["result"].get("value")

    def click(self, x, y):
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

    def tap(self, x, y):
        for kind in ("touchStart", "touchEnd"):
            self.call("Input.dispatchTouchEvent", type=kind, touchPoints=[{"x": x, "y": y}] if kind == "touchStart" else [])

    KEYS = {"Tab": ("Tab", 9, ""), "space": (" ", 32, " "), "Return": ("Enter", 13, "\r"), "Down": ("ArrowDown", 40, ""),
            "PageDown": ("PageDown", 34, "")}

    def key(self, name):
        shift = name.startswith("shift+")
        key, code, text = self.KEYS[name.replace("shift+", "")]
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code="Space" if key == " " else key,
                      windowsVirtualKeyCode=code, text=text if kind == "keyDown" else "", modifiers=8 if shift else 0)
        self.eval("new Promise(done => setTimeout(done))")

    def png(self, rect):
        x, y, width, height = rect
        return base64.b64decode(self.call("Page.captureScreenshot", clip={"x": x, "y": y, "width": width, "height": height,
                                                                            "scale": 1})["data"])

    def pixels(self, rect):
        """The (red, green, blue) pixels shown in a rectangle of the view."""
        require("convert")
        raw = subprocess.run(["convert", "png:-", "rgb:-"], input=self.png(rect), capture_output=True, check=True).stdout
        return [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]


class Firefox(Browser):
    """A headless Firefox ESR with the page open, driven through Marionette, its remote
    protocol; the port it chose is read from its profile."""

    def __init__(self, page, prefs=(), painted=True):
        require("firefox-esr")
        super().__init__("firefox")
        with open(os.path.join(self.profile, "user.js"), "w") as user:
            for name, value in (("marionette.port", 0), ("browser.shell.checkDefaultBrowser", False)) + tuple(prefs):
                user.write("user_pref(%s, %s);\n" % (json.dumps(name), json.dumps(value)))
        self.process = subprocess.Popen(["firefox-esr", "--headless", "--marionette", "--no-remote", "--profile", self.profile,
                                         "about:blank"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "MarionetteActivePort")
        port = int(wait_for("Firefox's remote port", lambda: os.path.exists(port_file) and open(port_file).read().strip(), 60))
        self.connection = socket.create_connection(("127.0.0.1", port))
        self.serial = 0
        self._read()  # the greeting
        self.call("WebDriver:NewSession", capabilities={"alwaysMatch": {"acceptInsecureCerts": True}})
        self.open(page, painted)

    def open(self, page, painted=True):
        """Opens a page and, unless told not to, waits for it to be painted; its PT.painted (ms
        from the start), or None."""
        self.call("WebDriver:Navigate", url="file://" + os.path.abspath(page))
        return wait_for("the page to be painted", lambda: self.eval("window.PT && PT.painted")) if painted else None

    def _read(self):
        length = b""
        while not length.endswith(b":"):
            length += self.connection.recv(1)
        body = b""
        while len(body) < int(length[:-1]):
            body += self.connection.recv(int(length[:-1]) - len(body))
        return json.loads(body)

    def call(self, command, **params):
        self.serial += 1
        message = json.dumps([0, self.serial, command, params]).encode()
        self.connection.sendall(b"%d:%s" % (len(message), message))
        _, _, error, result = self._read()
        if error:
            fail("%s: %s" % (command, error))
        return result

    def eval(self, expression):
        return self.call("WebDriver:ExecuteScript", script="return " + expression, args=[])["value"]

    def click(self, x, y):
        pointer = [{"type": "pointerMove", "x": round(x), "y": round(y), "origin": "viewport"},
                   {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]
        self.call("WebDriver:PerformActions", actions=[{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                                                        "actions": pointer}])
        self.call("WebDriver:ReleaseActions")

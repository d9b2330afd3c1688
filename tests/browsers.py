"""The three browsers the page is tested and measured in, each with a profile of its own and
the page opened from file://: Debian's Chromium, headless, driven through its DevTools
protocol with real input events; Firefox ESR, headless, driven through its own remote
protocol (Marionette), for which Debian has no driver: a small client of it is here; and
WebKitGTK's MiniBrowser (WebKit, the engine of every iPad and iPhone browser) on an X
server, driven by WebKitWebDriver through Selenium."""

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

# When the page was painted, in ms from its start (its performance mark "painted"), or nothing yet.
PAINTED = "performance.getEntriesByName('painted')[0]?.startTime"


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
        """Opens the page, and waits for it to be painted; when it was, in ms from its start."""
        self.page = page
        self.call("Page.navigate", url="file://" + os.path.abspath(page))
        return self.wait(PAINTED)

    def reload(self, painted=True):
        """Opens the page afresh; waits for it to be painted, or for the new document."""
        self.eval("window.leaving = true")
        self.call("Page.navigate", url="file://" + os.path.abspath(self.page))
        wait_for("the new document", lambda: self.call("Runtime.evaluate", expression="window.leaving", returnByValue=True)
                 ["result"].get("type") == "undefined")
        if painted:
            self.wait(PAINTED)

    def faces(self, name):
        """The faces the element of that id draws its text in; one the page carries: "the page's own"."""
        node = self.call("DOM.querySelector", nodeId=self.call("DOM.getDocument")["root"]["nodeId"], selector="#" + name)["nodeId"]
        return {"the page's own" if font["isCustomFont"] else font["familyName"]
                for font in self.call("CSS.getPlatformFontsForNode", nodeId=node)["fonts"]}

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

    def tap(self, x, y, up=0):
        """A finger's tap, or a swipe up by so many pixels."""
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        for step in range(1, 11 if up else 1):
            self.call("Input.dispatchTouchEvent", type="touchMove", touchPoints=[{"x": x, "y": y - up * step / 10}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    KEYS = {"Tab": ("Tab", 9, ""), "space": (" ", 32, " "), "Return": ("Enter", 13, "\r"), "Down": ("ArrowDown", 40, ""),
            "Up": ("ArrowUp", 38, ""), "PageDown": ("PageDown", 34, ""), "PageUp": ("PageUp", 33, ""), "Home": ("Home", 36, ""),
            "End": ("End", 35, "")}

    def key(self, name):
        shift = name.startswith("shift+")
        name = name.replace("shift+", "")
        key, code, text = self.KEYS.get(name) or (name, ord(name), name)  # a digit stands for itself
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code="Space" if key == " " else "Digit" + key if name.isdigit() else key,
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
        """Opens a page and, unless told not to, waits for it to be painted; when it was (ms from
        its start), or None."""
        self.call("WebDriver:Navigate", url="file://" + os.path.abspath(page))
        return wait_for("the page to be painted", lambda: self.eval(PAINTED)) if painted else None

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

    def key(self, name):
        keys = [{"type": kind, "value": value} for kind, value in webdriver_keys(name)]
        self.call("WebDriver:PerformActions", actions=[{"type": "key", "id": "keyboard", "actions": keys}])
        self.call("WebDriver:ReleaseActions")
        self.eval("new Promise(done => setTimeout(done))")


# The keys the scenarios press, as W3C WebDriver names them; a digit stands for itself.
WEBDRIVER_KEYS = {"Tab": "\ue004", "space": "\ue00d", "Return": "\ue006", "Down": "\ue015", "Up": "\ue013", "PageDown": "\ue00f",
                  "PageUp": "\ue00e", "Home": "\ue011", "End": "\ue010", "shift": "\ue008"}


def webdriver_keys(name):
    """The key actions of a key, as (keyDown or keyUp, value): "shift+Tab" holds Shift."""
    held = ["shift"] if name.startswith("shift+") else []
    keys = [WEBDRIVER_KEYS.get(key, key) for key in held + [name.replace("shift+", "")]]
    return [("keyDown", key) for key in keys] + [("keyUp", key) for key in reversed(keys)]


class WebKit(Browser):
    """WebKitGTK's MiniBrowser with the page open, on an X server, driven by WebKitWebDriver
    (W3C WebDriver, through Selenium) with real pointer and key actions. Settings go to the
    browser as its own options (--enable-javascript=false), the engine's through env."""

    BROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"

    def __init__(self, page, display, env=None, options=(), painted=True):
        require("WebKitWebDriver", self.BROWSER, "selenium", "xdotool")
        from selenium import webdriver
        super().__init__("webkit")
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        self.process = subprocess.Popen(
            ["WebKitWebDriver", "--port=%d" % port], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            env=dict(os.environ, DISPLAY=display, HOME=self.profile, XDG_CACHE_HOME=self.profile, XDG_DATA_HOME=self.profile,
                     **(env or {})))
        chosen = webdriver.WebKitGTKOptions()
        chosen.binary_location = self.BROWSER
        for option in ("--automation",) + tuple(options):
            chosen.add_argument(option)
        self.connection = wait_for("WebKitWebDriver", lambda: self._connect(webdriver, port, chosen), 30)
        self.connection.set_window_rect(0, 0, 1000, 700)
        # The window takes the focus, as a window manager gives it a new window: WebKit paints
        # no frame (and runs no animation frame) in a window never made active.
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--class", "MiniBrowser", "windowfocus", "--sync"],
                       env=dict(os.environ, DISPLAY=display), check=True, stdout=subprocess.DEVNULL)
        self.open(page, painted)

    @staticmethod
    def _connect(webdriver, port, options):
        try:
            return webdriver.Remote(command_executor="http://127.0.0.1:%d" % port, options=options)
        except Exception:  # not listening yet
            return None

    def open(self, page, painted=True):
        self.connection.get("file://" + os.path.abspath(page))
        return wait_for("the page to be painted", lambda: self.eval(PAINTED)) if painted else None

    def eval(self, expression):
        return self.connection.execute_script("return " + expression)

    def _actions(self):
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        return ActionBuilder(self.connection)

    def click(self, x, y):
        actions = self._actions()
        actions.pointer_action.move_to_location(round(x), round(y)).click()
        actions.perform()

    def key(self, name):
        """A key, Shift held with a key-down action of its own where asked."""
        actions = self._actions()
        for kind, value in webdriver_keys(name):
            getattr(actions.key_action, "key_down" if kind == "keyDown" else "key_up")(value)
        actions.perform()
        self.eval("new Promise(done => setTimeout(done))")

    def __exit__(self, *exc):
        if self.connection:
            self.connection.quit()
            self.connection = None
        super().__exit__(*exc)


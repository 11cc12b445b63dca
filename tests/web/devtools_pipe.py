"""Input the page cannot make itself: a key the browser takes as the user's, which is what
lets a page start its sound. Chromium: its DevTools protocol over --remote-debugging-pipe
(file descriptors 3 and 4 of the browser, JSON messages ended by a zero byte). Firefox: its
Remote Agent's WebDriver BiDi over a websocket (--remote-debugging-port)."""
import json
import os
import re
import threading


class DevToolsPipe:
    def __init__(self):
        # The browser reads commands from its fd 3 and writes answers to its fd 4.
        self._to_browser_r, self._to_browser_w = os.pipe()
        self._from_browser_r, self._from_browser_w = os.pipe()
        self._next_id = 0
        self._answers = {}
        self._lock = threading.Condition()
        self._session = None

    def child_setup(self):
        """In the browser's process, before exec: the pipes on fds 3 and 4."""
        os.dup2(self._to_browser_r, 3)
        os.dup2(self._from_browser_w, 4)

    def started(self):
        """In ours, once the browser runs: close its ends and start reading."""
        os.close(self._to_browser_r)
        os.close(self._from_browser_w)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        buffered = b""
        with os.fdopen(self._from_browser_r, "rb", buffering=0) as pipe:
            while True:
                chunk = pipe.read(65536)
                if not chunk:
                    break
                buffered += chunk
                while b"\0" in buffered:
                    message, buffered = buffered.split(b"\0", 1)
                    reply = json.loads(message.decode("utf-8", "replace"))
                    if "id" in reply:
                        with self._lock:
                            self._answers[reply["id"]] = reply
                            self._lock.notify_all()

    def call(self, method, params=None, session=None, timeout=20):
        with self._lock:
            self._next_id += 1
            ident = self._next_id
        message = {"id": ident, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self._to_browser_w, json.dumps(message).encode() + b"\0")
        with self._lock:
            if not self._lock.wait_for(lambda: ident in self._answers, timeout):
                raise RuntimeError(f"devtools: no answer to {method}")
            reply = self._answers.pop(ident)
        if "error" in reply:
            raise RuntimeError(f"devtools: {method}: {reply['error']}")
        return reply.get("result", {})

    def press(self, code):
        """A key down and up on the page, as the user's own (KeyS, Space, Enter, ...)."""
        if self._session is None:
            pages = [t for t in self.call("Target.getTargets")["targetInfos"]
                     if t["type"] == "page"]
            self._session = self.call("Target.attachToTarget",
                                      {"targetId": pages[0]["targetId"],
                                       "flatten": True})["sessionId"]
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", {"type": kind, "code": code},
                      session=self._session)


# WebDriver names keys by the character they type; Firefox derives the event's code from it.
BIDI_KEYS = {"Space": " ", "Enter": "\ue007", "Escape": "\ue00c", "Backspace": "\ue003",
             "Tab": "\ue004", "ArrowLeft": "\ue012", "ArrowUp": "\ue013",
             "ArrowRight": "\ue014", "ArrowDown": "\ue015"}


class WebDriverBiDi:
    """Firefox's Remote Agent. Firefox started with --remote-debugging-port=0 prints the
    address it listens on to its standard error; give each line to `line`."""

    def __init__(self, page_url):
        self._page_url = page_url
        self._ready = threading.Event()
        self._lock = threading.Lock()
        self._socket = None
        self._context = None
        self._next_id = 0
        self.error = None

    def line(self, text):
        match = re.search(r"WebDriver BiDi listening on (ws://\S+)", text)
        if match and not self._ready.is_set():
            try:
                self._connect(match.group(1))
            except Exception as e:  # the press that needs it says why
                self.error = f"webdriver bidi: {match.group(1)}: {e}"
            self._ready.set()

    def _connect(self, url):
        import websocket  # python3-websocket, needed by Firefox's trusted input only
        # The Remote Agent refuses a handshake with an Origin it does not know.
        self._socket = websocket.create_connection(url + "/session", timeout=30,
                                                   suppress_origin=True,
                                                   http_no_proxy=["127.0.0.1"])
        self.call("session.new", {"capabilities": {}})

    def call(self, method, params):
        with self._lock:
            self._next_id += 1
            ident = self._next_id
            self._socket.send(json.dumps({"id": ident, "method": method, "params": params}))
            while True:
                reply = json.loads(self._socket.recv())
                if reply.get("id") == ident:
                    break
        if reply.get("type") == "error":
            raise RuntimeError(f"webdriver bidi: {method}: {reply.get('error')}: "
                               f"{reply.get('message')}")
        return reply.get("result", {})

    def context(self):
        """The browsing context (the tab) that shows the page, once Firefox listens."""
        if not self._ready.wait(60):
            raise RuntimeError("webdriver bidi: Firefox never said where it listens")
        if self.error:
            raise RuntimeError(self.error)
        if self._context is None:
            contexts = self.call("browsingContext.getTree", {})["contexts"]
            pages = [c for c in contexts if c.get("url", "").startswith(self._page_url)]
            if not pages:
                raise RuntimeError(f"webdriver bidi: no tab shows {self._page_url}: "
                                   f"{[c.get('url') for c in contexts]}")
            self._context = pages[0]["context"]
        return self._context

    def press(self, code):
        """A key down and up on the page, as the user's own (KeyS, Space, Enter, ...)."""
        context = self.context()
        if code.startswith("Key") and len(code) == 4:
            key = code[3].lower()
        elif code.startswith("Digit") and len(code) == 6:
            key = code[5]
        elif code in BIDI_KEYS:
            key = BIDI_KEYS[code]
        else:
            raise RuntimeError(f"webdriver bidi: no key for code {code!r}")
        self.call("input.performActions", {
            "context": context,
            "actions": [{"type": "key", "id": "keyboard",
                         "actions": [{"type": "keyDown", "value": key},
                                     {"type": "keyUp", "value": key}]}]})

    def close(self):
        if self._socket is not None:
            try:
                self._socket.close()
            except OSError:
                pass

"""Chromium's DevTools protocol over --remote-debugging-pipe (file descriptors 3 and 4 of the
browser, JSON messages ended by a zero byte), for input the page cannot make itself: a key
the browser takes as the user's, which is what lets a page start its sound."""
import json
import os
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

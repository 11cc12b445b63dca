#!/usr/bin/python3
"""The game's page as a player installs it on a home screen, and plays it with the network gone.

  offline_page_test.py --page-dir <browser tree>/game --source <checkout> --cmake <cmake>
                       --out <dir> [--browser chromium|firefox]

In one run, on a copy of the page served from 127.0.0.1 (nothing in the browser's HTTP cache):
  - the manifest is JSON naming the game, full screen, landscape, from a relative start URL,
    with its colours and icons that exist at the sizes it states (192 and 512 px, one
    maskable); Chromium finds no reason not to install the page;
  - once the page's service worker controls it, the server is stopped: the page opened again
    at its start URL still starts the game, whose first frame is the splash screen's golden
    frame;
    a file the worker does not keep, and a kept one asked for with a query, go to the
    network and fail;
  - a new build (index.html changed, its worker written again by the build's own script)
    replaces the cache: one visit installs it and deletes the old cache, and offline the new
    page runs.
"""
import argparse
import base64
import functools
import http.server
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

# No __pycache__ in the source tree.
sys.dont_write_bytecode = True
from PIL import Image

from devtools_pipe import DevToolsPipe, WebDriverBiDi
from game_page_test import TOLERANCE, differing
from run_page import (Handler, Xvfb, chromium_command, copy_lines, find_program,
                      firefox_profile, stop_group)

# The game's first frame, the splash screen; then it ends and leaves the machine to the
# service worker.
GAME_ARGS = "arg=--fresh-options&arg=--fixed-step&arg=--frames&arg=1&arg=--screenshot" \
            "&arg=/frame.png"
# The screenshot the game leaves in its file system, as base64, once it is written.
READ_FRAME = """(function () {
  try {
    var data = Module.FS.readFile("/frame.png"), text = "";
    for (var i = 0; i < data.length; i += 8192)
      text += String.fromCharCode.apply(null, data.subarray(i, i + 8192));
    return btoa(text);
  } catch (e) {
    return null;
  }
})()"""
CONTROLLER = "navigator.serviceWorker.controller && navigator.serviceWorker.controller.state"
PAGE_CACHES = "caches.keys().then(function (names) { return names.filter(function (n) " \
              "{ return n.startsWith('vela-page '); }); })"


class Failed(Exception):
    pass


class Site:
    """The page's folder on 127.0.0.1, with no HTTP caching; stopped, its port refuses."""

    def __init__(self, root, port=0):
        handler = functools.partial(Handler, directory=root)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        self.server.state = {}
        self.port = self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()
        with socket.socket() as s:
            if s.connect_ex(("127.0.0.1", self.port)) == 0:
                raise Failed(f"port {self.port} still answers after the server stopped")


class Chromium:
    """A headless Chromium driven over its DevTools pipe."""

    def __init__(self, profile):
        self.pipe = DevToolsPipe()
        program = find_program(("chromium", "chromium-browser", "google-chrome"))
        if not program:
            raise Failed("chromium not found; run scripts/install-deps.sh")
        command = chromium_command(program, profile, "1200,800")
        command[1:1] = ["--remote-debugging-pipe"]
        self.process = subprocess.Popen(command + ["about:blank"], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=True,
                                        pass_fds=(3, 4), preexec_fn=self.pipe.child_setup)
        self.pipe.started()
        pages = [t for t in self.pipe.call("Target.getTargets")["targetInfos"]
                 if t["type"] == "page"]
        self.session = self.pipe.call("Target.attachToTarget", {"targetId": pages[0]["targetId"],
                                                               "flatten": True})["sessionId"]

    def call(self, method, params=None):
        return self.pipe.call(method, params, session=self.session)

    def go(self, url):
        error = self.call("Page.navigate", {"url": url}).get("errorText")
        if error:
            raise Failed(f"{url}: {error}")

    def evaluate(self, expression):
        reply = self.call("Runtime.evaluate", {"expression": expression, "awaitPromise": True,
                                               "returnByValue": True})
        if "exceptionDetails" in reply:
            raise RuntimeError(reply["exceptionDetails"].get("text", "exception"))
        return reply["result"].get("value")

    def stop(self):
        stop_group(self.process)


class Firefox:
    """A headless Firefox ESR driven over WebDriver BiDi, in an X display of its own."""

    def __init__(self, profile):
        program = find_program(("firefox-esr", "firefox"))
        if not program:
            raise Failed("firefox-esr not found; run scripts/install-deps.sh")
        self.xvfb = Xvfb()
        self.bidi = WebDriverBiDi("about:blank")
        env = dict(os.environ, MOZ_HEADLESS="1", DISPLAY=self.xvfb.display,
                   MOZ_REMOTE_SETTINGS_DEVTOOLS="1")
        env.pop("WAYLAND_DISPLAY", None)
        self.process = subprocess.Popen(
            [program, "--headless", "-no-remote", "-profile", profile, "--window-size",
             "1200,800", "--remote-debugging-port=0", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env, start_new_session=True)
        threading.Thread(target=copy_lines, args=(self.process.stderr, subprocess.DEVNULL,
                                                  self.bidi), daemon=True).start()
        self.context = self.bidi.context()

    def go(self, url):
        self.bidi.call("browsingContext.navigate", {"context": self.context, "url": url,
                                                    "wait": "none"})

    def evaluate(self, expression):
        reply = self.bidi.call("script.evaluate", {"expression": expression,
                                                   "target": {"context": self.context},
                                                   "awaitPromise": True})
        if reply.get("type") != "success":
            raise RuntimeError(str(reply.get("exceptionDetails", {}).get("text", reply)))
        return bidi_value(reply["result"])

    def stop(self):
        stop_group(self.process)
        self.bidi.close()
        self.xvfb.stop()


def bidi_value(remote):
    """A WebDriver BiDi remote value as Python's."""
    kind, value = remote.get("type"), remote.get("value")
    if kind == "array":
        return [bidi_value(v) for v in value]
    if kind in ("undefined", "null"):
        return None
    return value


def wait_for(browser, expression, what, timeout=90):
    """The expression's first truthy value; errors while a page loads are retried."""
    deadline = time.monotonic() + timeout
    last = None
    while time.monotonic() < deadline:
        try:
            value = browser.evaluate(expression)
            if value:
                return value
        except RuntimeError as e:
            last = e
        time.sleep(0.2)
    raise Failed(f"{what}: not within {timeout} s (last error: {last})")


def check_manifest(site):
    """The manifest's fields and its icons; returns what was found wrong."""
    problems = []
    path = os.path.join(site, "manifest.webmanifest")
    try:
        with open(path, encoding="utf-8") as f:
            manifest = json.load(f)
    except (OSError, ValueError) as e:
        return [f"manifest: {e}"]
    want = {"name": "Frag Hurler", "display": "fullscreen", "orientation": "landscape"}
    for key, value in want.items():
        if manifest.get(key) != value:
            problems.append(f"manifest: {key} is {manifest.get(key)!r}, not {value!r}")
    for key in ("short_name", "start_url", "background_color", "theme_color"):
        if not isinstance(manifest.get(key), str) or not manifest[key]:
            problems.append(f"manifest: no {key}")
    if ":" in manifest.get("start_url", ":") or manifest.get("start_url", "/").startswith("/"):
        problems.append(f"manifest: start_url {manifest.get('start_url')!r} is not relative")
    found = set()
    for icon in manifest.get("icons", []):
        try:
            with Image.open(os.path.join(site, icon["src"])) as image:
                size = "%dx%d" % image.size
                kind = image.format
        except (OSError, KeyError) as e:
            problems.append(f"manifest: icon {icon}: {e}")
            continue
        if icon.get("sizes") != size or kind != "PNG" or icon.get("type") != "image/png":
            problems.append(f"manifest: icon {icon['src']} is a {size} {kind}, not as stated: "
                            f"{icon}")
        found.add((size, icon.get("purpose", "any")))
    for need in (("192x192", "any"), ("512x512", "any"), ("512x512", "maskable")):
        if need not in found:
            problems.append(f"manifest: no {need[1]} icon of {need[0]}")
    return problems


def play(browser, url, out, name, golden):
    """Opens the page and checks that the game starts: its first frame is the splash screen."""
    browser.go(url)
    frame = wait_for(browser, READ_FRAME, f"{name}: the game's first frame")
    path = os.path.join(out, name + ".png")
    with open(path, "wb") as f:
        f.write(base64.b64decode(frame))
    n = differing(path, golden)
    print(f"{name}: {n} pixels of the first frame differ from the splash screen by more than "
          f"{TOLERANCE}")
    if n != 0:
        raise Failed(f"{name}: the page did not draw the splash screen")


def new_build(site, args):
    """The site as the next build leaves it: index.html changed, the worker written again."""
    page = os.path.join(site, "index.html")
    with open(page, encoding="utf-8") as f:
        text = f.read()
    with open(page, "w", encoding="utf-8") as f:
        f.write(text.replace("<head>", '<head>\n<meta name="vela-build" content="next">', 1))
    with open(os.path.join(site, "page-files.txt")) as f:
        files = [n for n in f.read().split() if n != "service-worker.js"]
    subprocess.check_call([args.cmake, f"-DDIR={site}", "-DFILES=" + ",".join(files),
                           f"-DTEMPLATE={args.source}/platform/web/service_worker.js.in",
                           "-DWORKER=service-worker.js", "-P",
                           f"{args.source}/cmake/VelaWebWorker.cmake"])


def check(browser, args, site):
    golden = os.path.join(args.source, "tests", "game", "golden", "splash.png")
    server = Site(site)
    origin = f"http://127.0.0.1:{server.port}/"
    started = time.monotonic()
    play(browser, origin + "index.html?" + GAME_ARGS, args.out, "online", golden)
    wait_for(browser, CONTROLLER, "the service worker controlling the page")
    first = wait_for(browser, PAGE_CACHES, "the page's cache")
    print(f"service worker in control after {time.monotonic() - started:.1f} s; caches {first}")
    if isinstance(browser, Chromium):
        manifest = browser.call("Page.getAppManifest")
        errors = manifest.get("errors", [])
        install = browser.call("Page.getInstallabilityErrors").get("installabilityErrors", [])
        print(f"Chromium: manifest errors {errors}, installability errors {install}")
        if errors or install:
            raise Failed("Chromium would not install the page")

    server.stop()
    # The start URL, offline.
    play(browser, origin + "?" + GAME_ARGS, args.out, "offline", golden)
    # Only the build's own files come from the cache.
    asked = browser.evaluate(
        "Promise.all(['not-kept.txt', 'game.js?v=2'].map(function (u) { return fetch(u)"
        ".then(function (r) { return u + ': ' + r.status; }, function () { return null; }); }))")
    if any(asked):
        raise Failed(f"offline, the worker answered what it does not keep: {asked}")

    new_build(site, args)
    server = Site(site, server.port)
    # This visit still runs the kept build while the new worker installs beside it.
    browser.go(origin + "index.html?" + GAME_ARGS)
    caches = wait_for(browser, f"({PAGE_CACHES}).then(function (n) {{ return n.length == 1 && "
                      f"n[0] != {json.dumps(first[0])} && n; }})", "the new build's cache alone")
    print(f"the new build's cache {caches} replaced {first}")
    server.stop()
    play(browser, origin + "?" + GAME_ARGS, args.out, "offline_next", golden)
    if not browser.evaluate("document.querySelector('meta[name=vela-build]') != null"):
        raise Failed("offline after the new build, the page is still the old one")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--page-dir", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--cmake", default="cmake")
    parser.add_argument("--out", required=True)
    parser.add_argument("--browser", choices=["chromium", "firefox"], default="chromium")
    args = parser.parse_args()
    for name in ("page_dir", "source", "out"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    listing = os.path.join(args.page_dir, "page-files.txt")
    if not os.path.isfile(listing):
        print(f"offline_page_test: {listing} is missing; run scripts/build-web.sh",
              file=sys.stderr)
        return 2
    os.makedirs(args.out, exist_ok=True)
    site = os.path.join(args.out, "site")
    shutil.rmtree(site, ignore_errors=True)
    os.makedirs(site)
    with open(listing) as f:
        for name in f.read().split() + ["page-files.txt"]:
            shutil.copy(os.path.join(args.page_dir, name), site)
    with open(os.path.join(site, "not-kept.txt"), "w") as f:
        f.write("served, never kept\n")

    problems = check_manifest(site)
    for problem in problems:
        print("FAILED: " + problem, file=sys.stderr)
    # Firefox's profile keeps it from reaching for anything but the page's server.
    profile = (firefox_profile() if args.browser == "firefox"
               else tempfile.mkdtemp(prefix="vela-chromium-"))
    browser = None
    started = time.monotonic()
    try:
        browser = (Chromium if args.browser == "chromium" else Firefox)(profile)
        check(browser, args, site)
    except (Failed, RuntimeError, subprocess.CalledProcessError) as e:
        problems.append(str(e))
        print(f"FAILED: {e}", file=sys.stderr)
    finally:
        if browser is not None:
            browser.stop()
        shutil.rmtree(profile, ignore_errors=True)
    print(f"offline page in {args.browser}: {'passed' if not problems else 'FAILED'} in "
          f"{time.monotonic() - started:.1f} s")
    return 0 if not problems else 1


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Opens a page in headless Chromium or Firefox over http from 127.0.0.1 and waits for its result.

The server this starts serves --root and takes what the page POSTs:
  /result   {"status": int, "output": str}: the run is over; we exit with that status
  /file?name=NAME   the body is saved as <--out>/NAME
  /log      one line for our standard output while the page runs
  /press?code=CODE  (with --trusted-input) a key down and up that the browser takes as the
            user's own, unlike any event the page makes itself
Both the server and the browser are stopped before we exit. A page that posts no result
within --timeout seconds fails the run.
  run_page.py --root DIR --page 'page.html?query' [--browser chromium|firefox] [--out DIR]
              [--timeout S] [--screenshot F] [--display :N]
Firefox (Debian's firefox-esr) runs headless inside an X display, without which its pages get
no WebGL 2: --display names one (game_page_test.py shares one among its pages), otherwise
this starts its own Xvfb.
"""
import argparse
import http.server
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

# No __pycache__ in the source tree.
sys.dont_write_bytecode = True
from devtools_pipe import DevToolsPipe, WebDriverBiDi


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def end_headers(self):
        # Every run loads the files it was built with.
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def do_POST(self):
        url = urllib.parse.urlparse(self.path)
        length = int(self.headers.get("Content-Length", "0"))
        if length > 64 * 1024 * 1024:
            self.send_error(413)
            return
        body = self.rfile.read(length)
        state = self.server.state
        if url.path == "/result":
            try:
                state["result"] = json.loads(body.decode("utf-8", "replace"))
            except ValueError:
                state["result"] = None
            if not isinstance(state["result"], dict):
                state["result"] = {"status": 1, "output": "run_page: unreadable result"}
            state["done"].set()
        elif url.path == "/file":
            name = os.path.basename(urllib.parse.parse_qs(url.query).get("name", [""])[0])
            if not name:
                self.send_error(400)
                return
            path = os.path.join(state["out"], name)
            with open(path + ".part", "wb") as f:
                f.write(body)
            os.replace(path + ".part", path)
        elif url.path == "/log":
            print(body.decode("utf-8", "replace"), flush=True)
        elif url.path == "/press" and state.get("keys"):
            code = urllib.parse.parse_qs(url.query).get("code", [""])[0]
            try:
                state["keys"].press(code)
            except Exception as e:  # whatever the browser's channel raises, the page hears 500
                print(f"run_page: {e}", flush=True)
                self.send_error(500)
                return
        else:
            self.send_error(404)
            return
        self.send_response(204)
        self.end_headers()


def find_program(names):
    for name in names:
        path = shutil.which(name)
        if path:
            return path
    return None


class Xvfb:
    """An X display of our own (Xvfb picks a free number) for Firefox's WebGL."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb", buffering=0) as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(16)
                if not chunk:
                    break
                number += chunk
        if not number.strip().isdigit():
            self.stop()
            raise RuntimeError("run_page: Xvfb did not start; run scripts/install-deps.sh")
        self.display = ":" + number.decode().strip()

    def stop(self):
        stop_group(self.process)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


def stop_group(process):
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


def chromium_command(program, profile, window):
    """Headless Chromium on a scratch profile: WebGL 2 through ANGLE's GL back end on Mesa's
    EGL without a display (llvmpipe, the rasteriser of the desktop's and Firefox's tests,
    which Chromium's blocklist would refuse), nothing fetched in the background, no timer
    slowed down. On its own SwiftShader, sprites that rest between pixels come out a few
    levels apart at their edges, so no frame could be compared exactly with the desktop's."""
    return [program, "--headless=new", "--no-sandbox", "--use-angle=gl-egl",
            "--ignore-gpu-blocklist", "--disable-gpu-sandbox", "--no-first-run",
            "--disable-background-networking", "--disable-component-update",
            "--disable-sync", "--disable-background-timer-throttling",
            "--disable-renderer-backgrounding", "--disable-backgrounding-occluded-windows",
            f"--window-size={window}", f"--user-data-dir={profile}"]


# Firefox's scratch profile. Quiet: no first-run, welcome or default-browser pages, no
# updates, telemetry, studies or safe-browsing lists, nothing fetched in the background.
# Anything that still reaches for the network meets a proxy that is not there (the page's
# own server, on 127.0.0.1, is never proxied). WebGL 2 on llvmpipe needs no pref, only a
# display.
FIREFOX_PREFS = {
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "browser.startup.page": 0,
    "startup.homepage_welcome_url": "",
    "startup.homepage_welcome_url.additional": "",
    "browser.aboutwelcome.enabled": False,
    "trailhead.firstrun.didSeeAboutWelcome": True,
    "browser.newtabpage.enabled": False,
    "browser.sessionstore.resume_from_crash": False,
    "toolkit.startup.max_resumed_crashes": -1,
    "browser.tabs.warnOnClose": False,
    "app.update.auto": False,
    "app.update.disabledForTesting": True,
    "extensions.update.enabled": False,
    "extensions.systemAddon.update.enabled": False,
    "extensions.getAddons.cache.enabled": False,
    "browser.search.update": False,
    "browser.region.update.enabled": False,
    "browser.region.network.url": "",
    "datareporting.policy.dataSubmissionEnabled": False,
    "datareporting.policy.firstRunURL": "",
    "datareporting.healthreport.uploadEnabled": False,
    "toolkit.telemetry.enabled": False,
    "toolkit.telemetry.unified": False,
    "toolkit.telemetry.server": "",
    "app.normandy.enabled": False,
    "app.shield.optoutstudies.enabled": False,
    "browser.safebrowsing.malware.enabled": False,
    "browser.safebrowsing.phishing.enabled": False,
    "browser.safebrowsing.downloads.enabled": False,
    "browser.safebrowsing.blockedURIs.enabled": False,
    "services.settings.server": "http://127.0.0.1:9/remote-settings",
    "media.gmp-manager.url": "",
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
    "network.dns.disablePrefetch": True,
    "network.prefetch-next": False,
    "network.http.speculative-parallel-limit": 0,
    "network.trr.mode": 5,
    "network.proxy.type": 1,
    "network.proxy.http": "127.0.0.1",
    "network.proxy.http_port": 9,
    "network.proxy.ssl": "127.0.0.1",
    "network.proxy.ssl_port": 9,
    "dom.ipc.reportProcessHangs": False,
    # What the page prints also goes to the browser's log.
    "devtools.console.stdout.content": True,
    # No sound device here: Firefox's own mock output device lets Web Audio run, as
    # headless Chromium's fake one does. The page's sound still waits for the user's key.
    "media.cubeb.force_mock_context": True,
    # Touch events as on a touch screen (a desktop Firefox without one has none, nor the
    # Touch and TouchEvent constructors the touch driver needs).
    "dom.w3c_touch_events.enabled": 1,
}


def firefox_profile():
    profile = tempfile.mkdtemp(prefix="vela-firefox-")
    with open(os.path.join(profile, "user.js"), "w") as f:
        for name, value in FIREFOX_PREFS.items():
            f.write(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n")
    return profile


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--page", required=True)
    parser.add_argument("--browser", choices=["chromium", "firefox"], default="chromium")
    parser.add_argument("--out", default=None)
    parser.add_argument("--timeout", type=float, default=300)
    parser.add_argument("--window", default="1200,800")
    parser.add_argument("--display", default=None,
                        help="Firefox: the X display to use instead of an Xvfb of our own")
    parser.add_argument("--browser-log", default=None,
                        help="keep the browser's own log (console messages, WebGL warnings) "
                             "here")
    parser.add_argument("--screenshot", default=None,
                        help="Chromium: instead of waiting for a result, save the page as "
                             "this PNG")
    parser.add_argument("--trusted-input", action="store_true",
                        help="let the page ask for keys the browser takes as the user's "
                             "(POST /press?code=KeyS)")
    parser.add_argument("--virtual-time", type=int, default=5000,
                        help="page time in ms before the screenshot is taken")
    args = parser.parse_args()

    root = os.path.abspath(args.root)
    if not os.path.isdir(root):
        print(f"run_page: {root} is not a folder; build the browser tree first "
              "(scripts/build-web.sh)", file=sys.stderr)
        return 2
    page_file = os.path.join(root, args.page.split("?")[0])
    if not os.path.isfile(page_file):
        print(f"run_page: {page_file} is missing; build the browser tree first "
              "(scripts/build-web.sh)", file=sys.stderr)
        return 2
    names = {"chromium": ("chromium", "chromium-browser", "google-chrome"),
             "firefox": ("firefox-esr", "firefox")}[args.browser]
    program = find_program(names)
    if not program:
        print(f"run_page: {names[0]} not found; run scripts/install-deps.sh", file=sys.stderr)
        return 2
    if args.browser == "firefox" and args.screenshot:
        print("run_page: --screenshot is Chromium's only", file=sys.stderr)
        return 2
    out = os.path.abspath(args.out or os.getcwd())
    os.makedirs(out, exist_ok=True)

    handler = lambda *a, **k: Handler(*a, directory=root, **k)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    server.state = {"done": threading.Event(), "result": None, "out": out}
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    origin = f"http://127.0.0.1:{server.server_address[1]}/"
    url = origin + args.page

    log = subprocess.DEVNULL
    if args.browser_log:
        log = open(args.browser_log, "wb")
    started = time.monotonic()
    keys = None
    xvfb = None
    profile = None
    browser = None
    status = 1
    try:
        if args.browser == "chromium":
            profile = tempfile.mkdtemp(prefix="vela-chromium-")
            command = chromium_command(program, profile, args.window)
            if args.screenshot:
                command += [f"--screenshot={os.path.abspath(args.screenshot)}",
                            f"--virtual-time-budget={args.virtual_time}"]
            command += [url]
            if args.browser_log:
                command.insert(1, "--enable-logging=stderr")
            if args.trusted_input:
                keys = DevToolsPipe()
                command.insert(1, "--remote-debugging-pipe")
            browser = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=log,
                                       start_new_session=True,
                                       pass_fds=(3, 4) if keys else (),
                                       preexec_fn=keys.child_setup if keys else None)
            if keys:
                keys.started()
        else:
            display = args.display
            if not display:
                xvfb = Xvfb()
                display = xvfb.display
            profile = firefox_profile()
            command = [program, "--headless", "-no-remote", "-profile", profile,
                       "--window-size", args.window]
            if args.trusted_input:
                keys = WebDriverBiDi(origin)
                command += ["--remote-debugging-port=0"]
            command += [url]
            # Firefox takes services.settings.server only with this set; otherwise it looks
            # up Mozilla's settings server (measured).
            env = dict(os.environ, MOZ_HEADLESS="1", DISPLAY=display,
                       MOZ_REMOTE_SETTINGS_DEVTOOLS="1")
            env.pop("WAYLAND_DISPLAY", None)
            browser = subprocess.Popen(command, stdout=log, stderr=subprocess.PIPE, env=env,
                                       start_new_session=True)
            # Its standard error says where the Remote Agent listens; the rest goes to the log.
            threading.Thread(target=copy_lines, args=(browser.stderr, log, keys),
                             daemon=True).start()
        server.state["keys"] = keys
        if args.screenshot:
            browser.wait(timeout=args.timeout)
            status = 0 if os.path.isfile(args.screenshot) else 1
        elif server.state["done"].wait(args.timeout):
            result = server.state["result"] or {}
            sys.stdout.write(str(result.get("output", "")))
            status = int(result.get("status", 1))
        else:
            print(f"run_page: no result from {url} in {args.timeout:.0f} s", file=sys.stderr)
    except subprocess.TimeoutExpired:
        print(f"run_page: {args.browser} did not finish in {args.timeout:.0f} s",
              file=sys.stderr)
    except RuntimeError as e:
        print(e, file=sys.stderr)
    finally:
        if browser is not None:
            stop_group(browser)
        if isinstance(keys, WebDriverBiDi):
            keys.close()
        if xvfb is not None:
            xvfb.stop()
        server.shutdown()
        server.server_close()
        if profile:
            shutil.rmtree(profile, ignore_errors=True)
        if log is not subprocess.DEVNULL:
            log.close()
    print(f"run_page: {args.page} finished in {args.browser} with status {status} in "
          f"{time.monotonic() - started:.1f} s", file=sys.stderr)
    return status


def copy_lines(pipe, log, keys):
    for line in pipe:
        if keys is not None:
            keys.line(line.decode("utf-8", "replace"))
        if log is not subprocess.DEVNULL:
            log.write(line)
    pipe.close()


if __name__ == "__main__":
    sys.exit(main())

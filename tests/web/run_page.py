#!/usr/bin/python3
"""Opens a page in headless Chromium over http from 127.0.0.1 and waits for its result.

The server this starts serves --root and takes what the page POSTs:
  /result   {"status": int, "output": str}: the run is over; we exit with that status
  /file?name=NAME   the body is saved as <--out>/NAME
  /log      one line for our standard output while the page runs
  /press?code=CODE  (with --trusted-input) a key down and up that the browser takes as the
            user's own, unlike any event the page makes itself
Both the server and the browser are stopped before we exit. A page that posts no result
within --timeout seconds fails the run.
  run_page.py --root DIR --page 'page.html?query' [--out DIR] [--timeout S] [--screenshot F]
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

from devtools_pipe import DevToolsPipe


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
        elif url.path == "/press" and state.get("devtools"):
            code = urllib.parse.parse_qs(url.query).get("code", [""])[0]
            try:
                state["devtools"].press(code)
            except RuntimeError as e:
                print(f"run_page: {e}", flush=True)
                self.send_error(500)
                return
        else:
            self.send_error(404)
            return
        self.send_response(204)
        self.end_headers()


def find_chromium():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--page", required=True)
    parser.add_argument("--out", default=None)
    parser.add_argument("--timeout", type=float, default=300)
    parser.add_argument("--window", default="1200,800")
    parser.add_argument("--browser-log", default=None,
                        help="keep Chromium's own log (console messages, WebGL warnings) here")
    parser.add_argument("--screenshot", default=None,
                        help="instead of waiting for a result, save the page as this PNG")
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
    chromium = find_chromium()
    if not chromium:
        print("run_page: chromium not found; run scripts/install-deps.sh", file=sys.stderr)
        return 2
    out = os.path.abspath(args.out or os.getcwd())
    os.makedirs(out, exist_ok=True)

    handler = lambda *a, **k: Handler(*a, directory=root, **k)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    server.state = {"done": threading.Event(), "result": None, "out": out}
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    url = f"http://127.0.0.1:{server.server_address[1]}/{args.page}"

    profile = tempfile.mkdtemp(prefix="vela-chromium-")
    command = [chromium, "--headless=new", "--no-sandbox", "--use-angle=swiftshader",
               "--enable-unsafe-swiftshader", "--disable-gpu-sandbox", "--no-first-run",
               "--disable-background-networking", "--disable-component-update",
               "--disable-sync", "--disable-background-timer-throttling",
               "--disable-renderer-backgrounding", "--disable-backgrounding-occluded-windows",
               f"--window-size={args.window}", f"--user-data-dir={profile}"]
    if args.screenshot:
        command += [f"--screenshot={os.path.abspath(args.screenshot)}",
                    f"--virtual-time-budget={args.virtual_time}", url]
    else:
        command += [url]
    log = subprocess.DEVNULL
    if args.browser_log:
        command.insert(1, "--enable-logging=stderr")
        log = open(args.browser_log, "wb")
    started = time.monotonic()
    devtools = None
    if args.trusted_input:
        devtools = DevToolsPipe()
        command.insert(1, "--remote-debugging-pipe")
    browser = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=log,
                               start_new_session=True, pass_fds=(3, 4) if devtools else (),
                               preexec_fn=devtools.child_setup if devtools else None)
    if devtools:
        devtools.started()
        server.state["devtools"] = devtools
    status = 1
    try:
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
        print(f"run_page: chromium did not finish in {args.timeout:.0f} s", file=sys.stderr)
    finally:
        if browser.poll() is None:
            os.killpg(browser.pid, signal.SIGTERM)
            try:
                browser.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(browser.pid, signal.SIGKILL)
                browser.wait()
        server.shutdown()
        server.server_close()
        shutil.rmtree(profile, ignore_errors=True)
        if log is not subprocess.DEVNULL:
            log.close()
    print(f"run_page: {args.page} finished with status {status} in "
          f"{time.monotonic() - started:.1f} s", file=sys.stderr)
    return status


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""The game's page in headless Chromium or Firefox against the GL game's frames.

  game_page_test.py --web-dir <browser tree> --gl-game <Linux game> --source <checkout>
                    --out <dir> [--browser chromium|firefox] <case>
Cases:
  menu      the main menu (frame 100) equals the main-menu golden
  replays   the won game, a random one of 3,000 updates and one made on the page's touch pad
            (tests/game/data) end on the same golden frames and the same bodies, to the bit,
            as the desktop's replays of them
  keyboard  keys sent to the page move the menu highlight, then start a game; the frames
            equal the GL game's replay of the record the page made, and the record holds
            the keys' edges
  no_webgl2 in a browser without WebGL 2 the page shows a readable message instead of the
            canvas and the game ends with a failure status
  options   the volume set to Mute with keys is still Mute after the page is loaded again
            (its localStorage): the second run's record names it as its starting option
  touch     a touch-only player on the on-screen pad: down and up move the highlight, cross
            starts a game, the stick aims (the record's stick follows the drag), cross held
            and let go throws; the page's replay of that record and the desktop's give the
            same frame, and the desktop's the same bodies to the bit; the page losing focus
            with a finger on cross releases it
  audio     the page's sound is held until a key the browser takes as the user's, then runs;
            the won replay starts sound sources at its first explosion; muted first in
            Options, it starts none from then on; the page's four files stay under 3 MB
The drivers' input for page frame n is read by update n, as the desktop reads what arrived
before its frame n: the records' edges must be on exactly the lines the desktop would put
them on. Frames compare channel by channel, alpha ignored, in both browsers: with a golden
within its tolerance (3), with the GL game's frame of the same record exactly. Firefox gets its trusted key over WebDriver BiDi and plays on its mock sound device
(no sound card here; see run_page.py).
"""
import argparse
import os
import urllib.parse
import subprocess
import sys

# No __pycache__ in the source tree.
sys.dont_write_bytecode = True
from PIL import Image

from run_page import Xvfb

HERE = os.path.dirname(os.path.abspath(__file__))
TOLERANCE = 3
BUTTON_UP, BUTTON_DOWN, BUTTON_TRIANGLE, BUTTON_CROSS = 0x10, 0x40, 0x1000, 0x4000
PAGE_LIMIT = 3 * 1024 * 1024
# The won replay's first explosion (the desktop's mix of it is loud from this update on).
FIRST_EXPLOSION = 348


def differing(a_path, b_path, tolerance=TOLERANCE):
    """Pixels whose RGB differ by more than the tolerance; -1 when the sizes differ."""
    a = Image.open(a_path).convert("RGB")
    b = Image.open(b_path).convert("RGB")
    if a.size != b.size:
        return -1
    count = 0
    for pa, pb in zip(a.getdata(), b.getdata()):
        if max(abs(pa[0] - pb[0]), abs(pa[1] - pb[1]), abs(pa[2] - pb[2])) > tolerance:
            count += 1
    return count


class Run:
    def __init__(self, args, display=None):
        self.args = args
        self.display = display
        self.failures = 0

    def page(self, name, game_args, puts=(), keys=None, touch=None, driver=None, expect=0,
             extra=(), trusted=False, fresh=True, then=None):
        """Runs the game page; returns the folder its posted files are in. `then`: the
        arguments of a second run in the same page after a reload (not fresh)."""
        out = os.path.join(self.args.out, name)
        os.makedirs(out, exist_ok=True)
        query = ["program=../../game/game.js"]
        query += ["arg=" + a for a in (["--fresh-options"] if fresh else []) + game_args]
        query += ["put=" + p for p in puts]
        query += ["get=/" + f for f in ("frame.png", "game.rec", "bodies.txt")
                  if ("/" + f) in game_args]
        if then:
            again = ["program=../../game/game.js"] + ["arg=" + a for a in then]
            again += ["get=" + a for a in then if a.startswith("/")]
            query += ["next=" + urllib.parse.quote("&".join(again), safe="")]
        if keys:
            query += ["driver=keyboard_driver.js", "keys=" + keys]
        if touch:
            query += ["driver=touch_driver.js", "touch=" + touch]
        if driver:
            query += ["driver=" + driver]
        query += list(extra)
        page = "tests/web/test_page.html?" + "&".join(query)
        command = [sys.executable, os.path.join(HERE, "run_page.py"), "--root",
                   self.args.web_dir, "--out", out, "--page", page, "--timeout", "240",
                   "--browser", self.args.browser]
        if self.display:
            command += ["--display", self.display]
        if trusted:
            command.append("--trusted-input")
        result = subprocess.run(command, stdout=subprocess.PIPE, text=True)
        sys.stdout.write(result.stdout)
        self.output = result.stdout
        if (result.returncode != 0) != (expect != 0):
            self.fail(f"{name}: the game page ended with status {result.returncode}")
        return out

    def gl_frame(self, name, game_args):
        """The GL game's last frame and its bodies (gl_frame.png, gl_bodies.txt)."""
        out = os.path.join(self.args.out, name)
        os.makedirs(out, exist_ok=True)
        shot = os.path.join(out, "gl_frame.png")
        bodies = os.path.join(out, "gl_bodies.txt")
        env = dict(os.environ, SDL_VIDEODRIVER="offscreen", FRAG_HURLER_FRESH_OPTIONS="1")
        subprocess.check_call([self.args.gl_game] + game_args +
                              ["--screenshot", shot, "--bodies-out", bodies],
                              cwd=os.path.join(self.args.source, "assets"), env=env)
        return shot

    def expect_same(self, what, got, want, tolerance=TOLERANCE):
        """Against a golden, within its tolerance; against a frame drawn in this run
        (tolerance=0), exactly: both browsers draw on the desktop's own Mesa."""
        n = differing(got, want, tolerance)
        print(f"{what}: {n} pixels differ by more than {tolerance} ({got} vs {want})")
        if n != 0:
            self.fail(f"{what}: the browser's frame differs from the GL one")

    def expect_same_bodies(self, what, got, want):
        """Every body's position, angle and velocity, to the bit (--bodies-out)."""
        with open(got) as a, open(want) as b:
            same = a.read() == b.read()
        print(f"{what}: the bodies {'are' if same else 'are NOT'} those of {want}")
        if not same:
            self.fail(f"{what}: the world stepped differently in the browser ({got})")

    def fail(self, message):
        print("FAILED: " + message, file=sys.stderr)
        self.failures += 1


def copy_into(web_dir, path, name):
    """Puts a copy of `path` in the browser tree's tests/web, where the page can fetch it."""
    copy = os.path.join(web_dir, "tests", "web", name)
    with open(path, "rb") as src, open(copy + ".part", "wb") as dst:
        dst.write(src.read())
    os.replace(copy + ".part", copy)
    return True


def audio_reports(output):
    """{frame: (context state, sources started so far)} from audio_driver.js's lines."""
    seen = {}
    for line in output.splitlines():
        if line.startswith("audio at "):
            frame, rest = line[len("audio at "):].split(": ")
            state, started = rest.split()
            seen[int(frame)] = (state, int(started))
    return seen


def muted_first(won_lines):
    """The won record with Options visited and the volume muted before "Play" (update 100),
    each press held one update; the game itself is unchanged. Returns (text, mute update)."""
    presses = [BUTTON_DOWN, BUTTON_CROSS, BUTTON_DOWN, BUTTON_CROSS, BUTTON_TRIANGLE]
    menu = []
    for b in presses:
        menu += [f"0 0x{b:x} 0x{b:x} 0x0 0 0 0 0", f"0 0x0 0x0 0x{b:x} 0 0 0 0"]
    lines = [" ".join(r) for r in won_lines]
    return "\n".join(lines[:100] + menu + lines[100:]) + "\n", 100 + 3 * 2


# Plan names of the buttons the records' edges are checked for.
PLAN_BUTTONS = {"KeyS": BUTTON_DOWN, "ArrowDown": BUTTON_DOWN, "ArrowUp": BUTTON_UP,
                "Enter": BUTTON_CROSS, "vela-pad-down": BUTTON_DOWN, "vela-pad-up": BUTTON_UP,
                "vela-pad-cross": BUTTON_CROSS}


def record_line(frame, game_start):
    """The record line of the update that reads input sent at the start of page frame
    `frame`. Frame n is update n; but the update after the menu's choice (made at frame
    `game_start`) starts the game without reading input or writing a line, so from there on
    the lines run one behind the frames, on the desktop as in the page."""
    if game_start is None or frame <= game_start + 1:
        return frame
    return frame - 1


def planned_edges(plan):
    """The (record line, button) press and release edges a driver's plan should make
    ("<frame>:<down|up|touchstart|touchend>:<key or pad part>...", in frame order); its
    first cross press chooses "Play". Returns (pressed, released, the choice's frame)."""
    steps = []
    for step in plan.split(","):
        p = step.split(":")
        if len(p) >= 3 and p[2] in PLAN_BUTTONS and p[1] in ("down", "up", "touchstart",
                                                                "touchend"):
            steps.append((int(p[0]), p[1] in ("down", "touchstart"), PLAN_BUTTONS[p[2]]))
    start = next((f for f, down, b in steps if down and b == BUTTON_CROSS), None)
    pressed = [(record_line(f, start), b) for f, down, b in steps if down]
    released = [(record_line(f, start), b) for f, down, b in steps if not down]
    return pressed, released, start


def record_edges(lines):
    """The (line, buttons) of every press edge and of every release edge in a record."""
    pressed = [(i, int(r[2], 16)) for i, r in enumerate(lines) if int(r[2], 16)]
    released = [(i, int(r[3], 16)) for i, r in enumerate(lines) if int(r[3], 16)]
    return pressed, released


def records(path):
    with open(path) as f:
        return [line.split() for line in f if line.strip() and not line.startswith("#")]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--web-dir", required=True)
    parser.add_argument("--gl-game", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--browser", choices=["chromium", "firefox"], default="chromium")
    parser.add_argument("case", choices=["menu", "replays", "keyboard", "touch", "no_webgl2",
                                         "audio", "options"])
    args = parser.parse_args()
    for name in ("web_dir", "gl_game", "source", "out"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    if not os.path.isfile(os.path.join(args.web_dir, "game", "game.wasm")):
        print(f"game_page_test: {args.web_dir}/game/game.wasm is missing; run "
              "scripts/build-web.sh", file=sys.stderr)
        return 2
    if args.browser == "firefox":
        # One X display for all of this case's pages.
        try:
            xvfb = Xvfb()
        except RuntimeError as e:
            print(e, file=sys.stderr)
            return 2
        with xvfb:
            run = Run(args, xvfb.display)
            check(args, run)
    else:
        run = Run(args)
        check(args, run)
    print(f"game page {args.case} in {args.browser}: "
          f"{'passed' if run.failures == 0 else 'FAILED'}")
    return 0 if run.failures == 0 else 1


def check(args, run):
    golden = os.path.join(args.source, "tests", "game", "golden")

    # Each browser's own copy of a record that browser made.
    touch_copy = f"touch_{args.browser}.rec"
    if args.case == "menu":
        out = run.page("menu", ["--frames", "100", "--fixed-step", "--screenshot", "/frame.png"])
        if os.path.isfile(os.path.join(out, "frame.png")):
            run.expect_same("main menu", os.path.join(out, "frame.png"),
                            os.path.join(golden, "main_menu.png"))
        else:
            run.fail("the page posted no frame")

    elif args.case == "replays":
        # The goldens every build's replays must end on (tests/game/replay_golden_test.cpp):
        # the same frame, and every body in the same place to the bit.
        for record, name in (("won_game.rec", "win"), ("random_game.rec", "random_game"),
                             ("page_game.rec", "page_game")):
            rec = os.path.join(args.source, "tests", "game", "data", record)
            # The page fetches the record from the test's server, which serves the browser
            # tree only: a copy goes in there.
            copy_into(args.web_dir, rec, record)
            frames = str(len(records(rec)) + 2)
            out = run.page(name, ["--replay", "/game.rec", "--fixed-step", "--frames", frames,
                                  "--screenshot", "/frame.png", "--bodies-out", "/bodies.txt"],
                           puts=[f"/tests/web/{record}@/game.rec"])
            shot, bodies = os.path.join(out, "frame.png"), os.path.join(out, "bodies.txt")
            if not (os.path.isfile(shot) and os.path.isfile(bodies)):
                run.fail(f"{record}: the page posted no frame or no bodies")
                continue
            run.expect_same(f"{record}: last frame", shot, os.path.join(golden, name + ".png"))
            run.expect_same_bodies(record, bodies, os.path.join(golden, name + ".bodies"))

    elif args.case == "audio":
        page_files = ["index.html", "game.js", "game.wasm", "game.data"]
        size = sum(os.path.getsize(os.path.join(args.web_dir, "game", f)) for f in page_files)
        print(f"audio: the page is {size} bytes")
        if size >= PAGE_LIMIT:
            run.fail(f"audio: the page is {size} bytes, not under {PAGE_LIMIT}")
        run.page("audio_unlock", ["--fixed-step", "--frames", "70"], driver="audio_driver.js",
                 extra=["press=30", "report=29,69"], trusted=True)
        seen = audio_reports(run.output)
        print(f"audio: before the key {seen.get(29)}, after it {seen.get(69)}")
        if seen.get(29, ("running",))[0] == "running":
            run.fail(f"audio: the sound ran before any key: {seen}")
        if seen.get(69, ("none",))[0] != "running":
            run.fail(f"audio: the sound did not start after a key: {seen}")

        rec = os.path.join(args.source, "tests", "game", "data", "won_game.rec")
        won = records(rec)
        copy_into(args.web_dir, rec, "won_game.rec")
        muted, mute_update = muted_first(won)
        path = os.path.join(args.out, "muted.rec")
        with open(path, "w") as f:
            f.write(muted)
        copy_into(args.web_dir, path, "muted.rec")
        around = [FIRST_EXPLOSION - 1, FIRST_EXPLOSION + 4]
        for name, file, frames, report in (
                ("audio_won", "won_game.rec", len(won) + 2, around),
                ("audio_muted", "muted.rec", len(won) + 12, [mute_update + 2, len(won) + 11])):
            run.page(name, ["--replay", "/game.rec", "--fixed-step", "--frames", str(frames)],
                     puts=[f"/tests/web/{file}@/game.rec"], driver="audio_driver.js",
                     extra=["press=5", "report=" + ",".join(map(str, report))], trusted=True)
            seen = audio_reports(run.output)
            if len(seen) != 2:
                run.fail(f"{name}: no audio report from the page: {seen}")
                continue
            first, last = (seen[f][1] for f in report)
            print(f"{name}: {last - first} sources started between frames {report}")
            if name == "audio_won" and last == first:
                run.fail("audio: the first explosion started no sound")
            if name == "audio_muted" and last != first:
                run.fail("audio: muted, the page still started sounds")

    elif args.case == "no_webgl2":
        run.page("no_webgl2", ["--frames", "5"], driver="no_webgl2_driver.js", expect=1)
        for want in ("this browser offers no WebGL 2", "page message: This game needs WebGL 2",
                     "canvas shown: false"):
            if want not in run.output:
                run.fail(f"no_webgl2: the page did not say '{want}'")

    elif args.case == "options":
        keys = ("105:down:ArrowDown,108:up:ArrowDown,111:down:Enter,114:up:Enter,"
                "117:down:ArrowDown,120:up:ArrowDown,123:down:Enter,126:up:Enter")
        out = run.page("options", ["--fixed-step", "--frames", "130", "--record", "/game.rec"],
                       keys=keys, fresh=False,
                       then=["--fixed-step", "--frames", "3", "--record", "/again.rec"])
        first = os.path.join(out, "game.rec")
        again = os.path.join(out, "again.rec")
        if os.path.isfile(first) and os.path.isfile(again):
            def started(path):
                with open(path) as f:
                    return [line.strip() for line in f if line.startswith("# options: ")]
            print(f"options: first run started with {started(first)}, the reload with "
                  f"{started(again)}")
            if "# options: volume = on" not in started(first):
                run.fail("options: the first run did not start with the volume on")
            if "# options: volume = mute" not in started(again):
                run.fail("options: the reloaded page did not keep the volume at Mute")
        else:
            run.fail("options: the page posted no records")

    elif args.case == "touch":
        menu = ("5:touchstart:canvas:1,6:touchend:canvas:1,"  # a touch shows the pad
                "105:touchstart:vela-pad-down:2,107:touchend:vela-pad-down:2,"
                "110:touchstart:vela-pad-up:2,111:touchend:vela-pad-up:2,"
                "114:touchstart:vela-pad-cross:3,117:touchend:vela-pad-cross:3,")
        # The thumb lands on the stick area and drags 40 up-right of where it landed (the
        # radius is 60): the stick reads (2/3, -2/3). Cross goes down with it on.
        aim = ("130:touchstart:vela-pad-stick-area:4:0:0,133:touchmove:vela-pad-stick-area:4:40:-40,"
               "140:touchstart:vela-pad-cross:5,")
        plan = menu + aim + "170:touchend:vela-pad-cross:5"
        play = run.page("touch_play", ["--fixed-step", "--frames", "190", "--record", "/game.rec",
                                       "--screenshot", "/frame.png", "--bodies-out",
                                       "/bodies.txt"], touch=plan)
        rec = os.path.join(play, "game.rec")
        shot = os.path.join(play, "frame.png")
        if os.path.isfile(rec) and os.path.isfile(shot):
            lines = records(rec)
            pressed, released = record_edges(lines)
            want_pressed, want_released, start = planned_edges(plan)
            if (pressed, released) != (want_pressed, want_released):
                run.fail(f"touch: pressed {pressed}, released {released}; wanted "
                         f"{want_pressed}, {want_released}")
            # From the drag to the throw.
            aimed = [(float(r[4]), float(r[5]))
                     for r in lines[record_line(133, start):record_line(170, start) + 1]]
            if any(abs(x - 2 / 3) > 0.01 or abs(y + 2 / 3) > 0.01 for x, y in aimed):
                run.fail(f"touch: the stick did not follow the drag: {sorted(set(aimed))[:4]}")
            print(f"touch: edges {pressed} / {released}; stick while aiming {aimed[0]}")
            replay = run.page("touch_replay", ["--replay", "/touch.rec", "--fixed-step", "--frames",
                                               "190", "--screenshot", "/frame.png"],
                              puts=[f"/tests/web/{touch_copy}@/touch.rec"]) if copy_into(
                                  args.web_dir, rec, touch_copy) else None
            if replay:
                run.expect_same("touch frame vs its replay", shot, os.path.join(replay, "frame.png"),
                                tolerance=0)
            # The record means on the desktop what it meant in the page, to the bit.
            run.expect_same("touch frame vs the desktop's replay", shot,
                            run.gl_frame("touch_play", ["--replay", rec, "--fixed-step",
                                                        "--frames", "190"]), tolerance=0)
            run.expect_same_bodies("touch vs the desktop's replay",
                                   os.path.join(play, "bodies.txt"),
                                   os.path.join(play, "gl_bodies.txt"))
            if differing(shot, os.path.join(golden, "game_first_tick.png")) == 0:
                run.fail("touch: no throw: the frame is the game's first tick")
        else:
            run.fail("touch: the page posted no record or no frame")

        blur = run.page("touch_blur", ["--fixed-step", "--frames", "150", "--record", "/game.rec"],
                        touch=menu + "130:touchstart:vela-pad-cross:5,140:blur")
        rec = os.path.join(blur, "game.rec")
        if os.path.isfile(rec):
            lines = records(rec)
            released = [i for i, r in enumerate(lines) if int(r[3], 16) & BUTTON_CROSS]
            down_at_end = int(lines[-1][1], 16) & BUTTON_CROSS
            print(f"touch blur: cross released at lines {released}")
            if released[-1:] != [record_line(140, planned_edges(menu)[2])] or down_at_end:
                run.fail("touch blur: losing the focus did not release cross")
        else:
            run.fail("touch blur: the page posted no record")

    else:
        # Down moves the highlight to the second entry; a second page run goes back up and
        # starts the game with Enter.
        cases = [("keyboard_highlight", "105:down:ArrowDown,108:up:ArrowDown", "112"),
                 ("keyboard_start", "105:down:KeyS,108:up:KeyS,111:down:ArrowUp,114:up:ArrowUp,"
                                    "117:down:Enter,120:up:Enter", "126")]
        for name, keys, frames in cases:
            out = run.page(name, ["--fixed-step", "--frames", frames, "--record", "/game.rec",
                                  "--screenshot", "/frame.png"], keys=keys)
            rec = os.path.join(out, "game.rec")
            shot = os.path.join(out, "frame.png")
            if not (os.path.isfile(rec) and os.path.isfile(shot)):
                run.fail(f"{name}: the page posted no record or no frame")
                continue
            pressed, released = record_edges(records(rec))
            want_pressed, want_released, _ = planned_edges(keys)
            if (pressed, released) != (want_pressed, want_released):
                run.fail(f"{name}: pressed {pressed}, released {released}; wanted "
                         f"{want_pressed}, {want_released}")
            gl = run.gl_frame(name, ["--replay", rec, "--fixed-step", "--frames", frames])
            run.expect_same(name, shot, gl, tolerance=0)
            menu = os.path.join(golden, "main_menu.png")
            if differing(shot, menu) == 0:
                run.fail(f"{name}: the frame is still the untouched main menu")



if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env bash
# Inside wine-run.sh's display: starts the Windows game in the repository root, recording
# controller 0, gives its window the keyboard focus and plays it by keys alone: Down, Up,
# Enter (Play), then the right arrow held; Alt+F4 ends it and it saves its last frame.
#   game-keyboard-drive.sh <game.exe> <repo root> <out dir>   (writes keys.rec, win_last.png)
set -uo pipefail
game=$1 root=$2 out=$3

cd "$root"
wine "$game" --record "Z:$out/keys.rec" --screenshot "Z:$out/win_last.png" >"$out/keys.log" 2>&1 &
pid=$!
fail() {
  echo "game-keyboard: $*" >&2
  kill "$pid" 2>/dev/null
  cat "$out/keys.log" >&2
  exit 1
}

window=$(timeout 30 xdotool search --sync --onlyvisible --name "Framework Application" | head -n 1)
[ -n "$window" ] || fail "no window titled \"Framework Application\" appeared"
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
# The splash lasts 100 frames, under two seconds at 60 a second.
sleep 4
press() {
  xdotool key --delay 0 "$1"
  sleep 0.4
}
press Down
press Up
press Return
sleep 1
xdotool keydown Right
sleep 0.5
xdotool keyup Right
xdotool keydown Right
sleep 0.3
# Alt+F4 with the arrow still held: the last frame shows the turned aim.
xdotool key --window "$window" alt+F4
for i in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
xdotool keyup Right
kill -0 "$pid" 2>/dev/null && fail "still running 10 s after Alt+F4"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status, expected 0"
echo "played by keys and closed with Alt+F4"

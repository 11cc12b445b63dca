#!/usr/bin/env bash
# Inside wine-run.sh's display: starts the Windows game in the repository root for a set
# number of frames, recording controller 0, gives its window the keyboard focus, waits
# for the main menu in the window, then plays by keys alone: Down, Up, Enter (Play), and
# the right arrow held until the game ends by itself and saves its last frame.
#   game-keyboard-drive.sh <game.exe> <repo root> <out dir> <frames>
#   (out dir holds gl_menu_masked.png; writes keys.rec and win_last.png)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/frame-compare.sh"
source "$here/game-window.sh"
game=$1 root=$2 out=$3 frames=$4

cd "$root"
wine "$game" --frames "$frames" --record "Z:$out/keys.rec" --screenshot "Z:$out/win_last.png" \
  >"$out/keys.log" 2>&1 &
pid=$!
fail() {
  echo "game-keyboard: $*" >&2
  xdotool keyup Right 2>/dev/null
  kill "$pid" 2>/dev/null
  cat "$out/keys.log" >&2
  exit 1
}

find_game_window 60
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"

wait_for_main_menu "$pid"

# Each key message is taken in a frame of its own, so a quick tap is seen.
for key in Down Up Return; do
  xdotool key --delay 0 "$key"
  sleep 0.3
done
xdotool keydown Right
for i in $(seq 1 1200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
xdotool keyup Right
kill -0 "$pid" 2>/dev/null && fail "still running after two minutes"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status, expected 0"
echo "played by keys for $frames frames"

#!/usr/bin/env bash
# Inside wine-run.sh's display: starts the Windows game for a set number of frames,
# recording controller 0, waits for the main menu in its window, then plays by the mouse
# alone: a click on "Play", the pointer up and to the right of the hurler, the left
# button held for a second and let go, and the game left to end by itself.
#   game-mouse-drive.sh <game.exe> <repo root> <out dir> <frames>
#   (out dir holds gl_menu_masked.png; writes mouse.rec and win_last.png)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/frame-compare.sh"
source "$here/game-window.sh"
game=$1 root=$2 out=$3 frames=$4

cd "$root"
wine "$game" --frames "$frames" --record "Z:$out/mouse.rec" --screenshot "Z:$out/win_last.png" \
  >"$out/mouse.log" 2>&1 &
pid=$!
fail() {
  echo "game-mouse: $*" >&2
  xdotool mouseup 1 2>/dev/null
  kill "$pid" 2>/dev/null
  cat "$out/mouse.log" >&2
  exit 1
}

find_game_window 60
# The frame's top-left corner on the screen, from client's +x+y.
IFS=+ read -r _ frame_x frame_y <<<"$client"
point() { xdotool mousemove --sync $((frame_x + $1)) $((frame_y + $2)) 2>/dev/null ||
  xdotool mousemove $((frame_x + $1)) $((frame_y + $2)); }

wait_for_main_menu "$pid"

# "Play" is the first item, its text from (600, 325) in the frame.
point 630 345
sleep 0.3
xdotool click 1
sleep 1
point 520 150
sleep 0.3
xdotool mousedown 1
sleep 1
xdotool mouseup 1
for i in $(seq 1 1200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running after two minutes"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status, expected 0"
echo "played by the mouse for $frames frames"

#!/usr/bin/env bash
# Inside wine-run.sh's display: starts the Windows game plainly, watches its window until
# it has shown the splash and then the main menu, closes it with Alt+F4 and checks that
# it ended with exit status 0.
#   game-live-check.sh <game.exe> <assets dir> <out dir>   (out dir holds gl_*_masked.png)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/frame-compare.sh"
source "$here/game-window.sh"
game=$1 assets=$2 out=$3

cd "$assets"
wine "$game" >"$out/game.log" 2>&1 &
pid=$!
capturer=""
stop_capture() {
  touch "$out/.stop"
  [ -n "$capturer" ] && wait "$capturer" 2>/dev/null
  rm -f "$out"/live_[0-9]*.png "$out"/.stop
}
fail() {
  echo "game-live: $*" >&2
  stop_capture
  kill "$pid" 2>/dev/null
  exit 1
}

find_game_window 30

# The splash lasts 100 frames, under two seconds: screenshots are taken in the
# background at a steady pace and looked at as they come.
rm -f "$out/.stop"
(
  for i in $(seq 1 600); do
    [ -f "$out/.stop" ] && break
    import -window root -crop "960x544$client" +repage "png:$out/live.tmp" 2>/dev/null &&
      mv "$out/live.tmp" "$out/live_$i.png"
    sleep 0.1
  done
) &
capturer=$!

saw_splash=0
saw_menu=0
i=1
deadline=$((SECONDS + 60))
while [ "$SECONDS" -lt "$deadline" ]; do
  shot=$out/live_$i.png
  if [ ! -f "$shot" ]; then
    kill -0 "$capturer" 2>/dev/null || break
    sleep 0.05
    continue
  fi
  if [ "$saw_splash" -eq 0 ] &&
    [ "$(frame_difference "$out/gl_splash_masked.png" "$shot")" -le "$FRAME_TOLERANCE" ]; then
    saw_splash=1
    cp "$shot" "$out/live_splash.png"
    echo "splash shown (screenshot $i)"
  elif [ "$(frame_difference "$out/gl_menu_masked.png" "$shot" "$out/live_menu_diff.png")" -le "$FRAME_TOLERANCE" ]; then
    saw_menu=1
    cp "$shot" "$out/live_menu.png"
    echo "main menu shown (screenshot $i)"
    break
  fi
  cp "$shot" "$out/live_last.png"
  rm -f "$shot"
  i=$((i + 1))
  if [ "$saw_splash" -eq 1 ]; then
    # Past the splash only the newest screenshot matters.
    newest=$(ls "$out" | sed -n 's/^live_\([0-9]*\)\.png$/\1/p' | sort -n | tail -n 1)
    if [ -n "$newest" ] && [ "$newest" -gt "$i" ]; then
      for ((j = i; j < newest; j++)); do rm -f "$out/live_$j.png"; done
      i=$newest
    fi
  fi
done
stop_capture
[ "$saw_menu" -eq 1 ] || fail "the main menu never matched the GL frame (see live_last.png, live_menu_diff.png)"
[ "$saw_splash" -eq 1 ] || fail "the main menu came without the splash before it"

xdotool key --window "$window" alt+F4
for i in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running 10 s after Alt+F4"
wait "$pid"
status=$?
echo "closed with Alt+F4, exit status $status"
[ "$status" -eq 0 ] || { echo "game-live: exit status $status, expected 0" >&2; cat "$out/game.log" >&2; exit 1; }

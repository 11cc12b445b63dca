# Sourced inside wine-run.sh's display by the scripts that drive the Windows game's window.
# wait_for_main_menu <pid>
#   waits up to a minute for the main menu in the window found (matching
#   $out/gl_menu_masked.png), while the game <pid> runs; the splash is over then, so input
#   counts whatever the machine's speed. Calls fail when it never shows.
# find_game_window <seconds>
#   waits that long for the game's window, then for the part of it that shows the frame;
#   sets window (its X id) and client (the frame's +x+y on the screen, for import -crop).
#   Calls the caller's fail when either never comes.
find_game_window() {
  window=$(timeout "$1" xdotool search --sync --onlyvisible --name "Framework Application" | head -n 1)
  [ -n "$window" ] || fail "no window titled \"Framework Application\" appeared"
  # Wine draws the client area into a child X window of the back buffer's size; it comes
  # with the swap chain, a moment after the window.
  client=""
  local i
  for i in $(seq 1 100); do
    client=$(xwininfo -tree -id "$window" 2>/dev/null | awk '$0 ~ /960x544\+/ { print $NF; exit }')
    [ -n "$client" ] && break
    sleep 0.1
  done
  [ -n "$client" ] || fail "no 960 x 544 client area in the game's window"
}

wait_for_main_menu() {
  local i
  for i in $(seq 1 300); do
    kill -0 "$1" 2>/dev/null || fail "the game ended before its main menu showed"
    if import -window root -crop "960x544$client" +repage "png:$out/live.png" 2>/dev/null &&
      [ "$(frame_difference "$out/gl_menu_masked.png" "$out/live.png")" -le "$FRAME_TOLERANCE" ]; then
      return
    fi
    sleep 0.2
  done
  fail "the main menu never showed in the window (see live.png)"
}

# Sourced inside wine-run.sh's display by the scripts that drive the Windows game's window.
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

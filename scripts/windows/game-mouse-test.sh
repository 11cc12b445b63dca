#!/usr/bin/env bash
# The Windows game under Wine played by the mouse alone (xdotool, through the X server as
# a mouse would): a click on "Play" starts a game, and holding the left button with the
# pointer above the hurler charges and throws a frag. Its record of controller 0 holds
# that as a pad would (cross pressed in the menu, then held and let go, the stick at an
# angle no key gives), and the GL game replaying the record ends on the Windows game's
# frame, which the same record cut before the charge does not reach (no frag thrown).
# The frame-rate text is masked. Frames, the record and differences are kept in <out dir>.
#   scripts/windows/game-mouse-test.sh <game.exe> <GL game> <repo root> <out dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/game-test-args.sh"
game_test_args "<repo root>" "$@"
root=$folder
rm -f "$out"/*.png "$out"/*.rec
source "$here/frame-compare.sh"

gl_masked_frame "$root/assets" "$out/gl_menu.png" --frames 150

frames=500
VELA_WINE_SCRIPT=$here/game-mouse-drive.sh "$here/wine-run.sh" "$win_game" "$root" "$out" $frames
rec=$out/mouse.rec
[ -s "$rec" ] || { echo "game-mouse: the Windows game wrote no record" >&2; exit 1; }

# Columns: status down pressed released lx ly rx ry (masks in hex). Cross's edges, the
# record line of the last press, and whether the stick ever read off the keys' eight
# directions (both axes used, of different sizes).
presses=0 releases=0 last_press=0 angled=0 n=0
while read -r status down pressed released lx ly rest; do
  case "$status" in '#'* | '') continue ;; esac
  n=$((n + 1))
  [ "$status" = 0 ] || continue
  ((pressed & 0x4000)) && presses=$((presses + 1)) last_press=$n
  ((released & 0x4000)) && releases=$((releases + 1))
  awk -v x="${lx#-}" -v y="${ly#-}" 'BEGIN { exit !(x > 0.01 && y > 0.01 && (x - y > 0.01 || y - x > 0.01)) }' &&
    angled=1
done <"$rec"
echo "cross pressed $presses times, released $releases times; a stick angle off the keys: $angled"
[ "$presses" -ge 2 ] && [ "$releases" -ge 2 ] || { echo "game-mouse: expected a click on Play, then a charge and a throw" >&2; exit 1; }
[ "$angled" -eq 1 ] || { echo "game-mouse: the pointer never aimed between the keys' eight directions" >&2; exit 1; }

gl_masked_frame "$root/assets" "$out/gl_replay.png" --replay "$rec" --frames $frames
diff=$(read_back_difference "$out/gl_replay_masked.png" "$out/win_last.png" "$out/win_last_diff.png")
echo "last frame, Windows played by the mouse vs GL replaying its record: $diff pixels differ"
[ "$diff" -eq 0 ] || { echo "game-mouse: the mouse game and its replay end differently" >&2; exit 1; }

# The record up to the charge: a game started, no frag thrown.
awk -v stop="$last_press" '/^[ \t]*#/ || NF == 0 { print; next } { n++ } n < stop' "$rec" >"$out/no_throw.rec"
gl_masked_frame "$root/assets" "$out/gl_no_throw.png" --replay "$out/no_throw.rec" --frames $frames
thrown=$(frame_difference "$out/gl_no_throw_masked.png" "$out/win_last.png")
echo "without the charge the last frame differs in $thrown pixels"
[ "$thrown" -gt "$FRAME_TOLERANCE" ] || { echo "game-mouse: the mouse threw no frag" >&2; exit 1; }
menu_diff=$(frame_difference "$out/gl_menu_masked.png" "$out/win_last.png")
[ "$menu_diff" -gt "$FRAME_TOLERANCE" ] || { echo "game-mouse: the click never left the main menu" >&2; exit 1; }
echo "mouse-only play chose Play and threw a frag"

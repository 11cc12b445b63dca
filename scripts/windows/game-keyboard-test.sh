#!/usr/bin/env bash
# The Windows game under Wine as a player without a pad meets it:
#  1. started from the repository root with the README's command, it finds its data and
#     shows the main menu (its read-back matches the GL game's menu frame);
#  2. driven by real key presses alone (xdotool, through the X server as a keyboard
#     would), Down, Up and Enter take it from the main menu into a game and the right
#     arrow turns the aim. Its record of controller 0 holds those presses, and the GL game
#     replaying that record for as many frames ends on the same frame as the Windows game.
# The frame-rate text is masked. Frames, the record and differences are kept in <out dir>.
#   scripts/windows/game-keyboard-test.sh <game.exe> <GL game> <repo root> <out dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/game-test-args.sh"
game_test_args "<repo root>" "$@"
root=$folder
rm -f "$out"/*.png "$out"/*.rec
source "$here/frame-compare.sh"

# 1. From the repository root: the data is in assets/ below it.
gl_masked_frame "$root/assets" "$out/gl_menu.png" --frames 150
"$here/wine-run.sh" -C "$root" "$win_game" --frames 150 --fixed-step --screenshot "Z:$out/root_menu.png" \
  >"$out/root.log" 2>&1 || { cat "$out/root.log" >&2; echo "game-keyboard: started from $root the game failed" >&2; exit 1; }
diff=$(read_back_difference "$out/gl_menu_masked.png" "$out/root_menu.png" "$out/root_menu_diff.png")
echo "started from the repository root: main menu, $diff pixels differ from GL"
[ "$diff" -eq 0 ] || { echo "game-keyboard: started from the repository root, no main menu" >&2; exit 1; }

# 2. Keys only.
frames=400
VELA_WINE_SCRIPT=$here/game-keyboard-drive.sh "$here/wine-run.sh" "$win_game" "$root" "$out" $frames
rec=$out/keys.rec
[ -s "$rec" ] || { echo "game-keyboard: the Windows game wrote no record" >&2; exit 1; }
# Columns: status down pressed released lx ly rx ry (masks in hex). The presses, in order,
# and whether the left stick ever read (1, 0).
presses=""
right=0
while read -r status down pressed released lx ly rest; do
  case "$status" in '#'* | '') continue ;; esac
  [ "$status" = 0 ] || continue
  p=$((pressed))
  ((p & 0x40)) && presses+="down "
  ((p & 0x10)) && presses+="up "
  ((p & 0x4000)) && presses+="cross "
  [ "$lx" = 1 ] && [ "$ly" = 0 ] && right=1
done <"$rec"
echo "presses recorded: $presses"
case "$presses" in
  "down up cross "*) ;;
  *) echo "game-keyboard: expected Down, Up, then cross (Enter) in the record" >&2; exit 1 ;;
esac
[ "$right" -eq 1 ] || { echo "game-keyboard: the right arrow never turned the left stick to (1, 0)" >&2; exit 1; }

# The same record on the GL game, for as many frames.
gl_masked_frame "$root/assets" "$out/gl_replay.png" --replay "$rec" --frames $frames
diff=$(read_back_difference "$out/gl_replay_masked.png" "$out/win_last.png" "$out/win_last_diff.png")
echo "last frame, Windows played by keys vs GL replaying its record: $diff pixels differ"
[ "$diff" -eq 0 ] || { echo "game-keyboard: the keyboard game and its replay end differently" >&2; exit 1; }
menu_diff=$(frame_difference "$out/gl_menu_masked.png" "$out/win_last.png")
[ "$menu_diff" -gt "$FRAME_TOLERANCE" ] || { echo "game-keyboard: the keys never left the main menu" >&2; exit 1; }
echo "keyboard-only play reached the game"

#!/usr/bin/env bash
# The Windows game under Wine against the Linux (GL) game's frames:
#  1. the GL build's splash and main-menu frames (headless) are the reference;
#  2. the Windows build's own read-back of its main-menu frame matches it;
#  3. the Windows game started plainly shows the splash, then the main menu in its
#     window (X screenshots), and Alt+F4 ends it with exit status 0.
# The frame-rate text is masked. Frames and differences are kept in <out dir>.
#   scripts/windows/game-screens-test.sh <game.exe> <GL game> <assets dir> <out dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/game-test-args.sh"
game_test_args "<assets dir>" "$@"
assets=$folder
rm -f "$out"/*.png

source "$here/frame-compare.sh"

# Splash lasts 100 updates; frame 50 is in it, frame 150 is the main menu.
(cd "$assets" && SDL_VIDEODRIVER=offscreen "$gl_game" --frames 50 --fixed-step --screenshot "$out/gl_splash.png")
(cd "$assets" && SDL_VIDEODRIVER=offscreen "$gl_game" --frames 150 --fixed-step --screenshot "$out/gl_menu.png")

"$here/wine-run.sh" -C "$assets" "$win_game" --frames 150 --fixed-step --screenshot "Z:$out/win_menu.png"
[ -f "$out/win_menu.png" ] || { echo "game-screens: the Windows game saved no frame" >&2; exit 1; }
mask_frame "$out/gl_splash.png" "$out/gl_splash_masked.png"
mask_frame "$out/gl_menu.png" "$out/gl_menu_masked.png"
diff=$(frame_difference "$out/gl_menu_masked.png" "$out/win_menu.png" "$out/win_menu_diff.png")
echo "main menu, Windows read-back vs GL: $diff pixels differ"
[ "$diff" -le "$FRAME_TOLERANCE" ] || { echo "game-screens: the Windows main menu differs from the GL one" >&2; exit 1; }

VELA_WINE_SCRIPT=$here/game-live-check.sh "$here/wine-run.sh" "$win_game" "$assets" "$out"

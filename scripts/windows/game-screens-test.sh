#!/usr/bin/env bash
# The Windows game under Wine against the Linux (GL) game's frames:
#  1. the GL build's splash and main-menu frames (headless) are the reference;
#  2. the Windows build's own read-back of its main-menu frame matches it;
#  3. both replaying the won record to update 380, after its first explosion has sent
#     crates and bad guys flying, end on the same frame: the physics steps alike;
#  4. the Windows game started plainly shows the splash, then the main menu in its
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
# The won game's record, beside the assets in the checkout.
won_record=$(realpath "$assets/../tests/game/data/won_game.rec")

# Splash lasts 100 updates; frame 50 is in it, frame 150 is the main menu.
(cd "$assets" && SDL_VIDEODRIVER=offscreen "$gl_game" --frames 50 --fixed-step --screenshot "$out/gl_splash.png")
(cd "$assets" && SDL_VIDEODRIVER=offscreen "$gl_game" --frames 150 --fixed-step --screenshot "$out/gl_menu.png")

"$here/wine-run.sh" -C "$assets" "$win_game" --frames 150 --fixed-step --screenshot "Z:$out/win_menu.png"
[ -f "$out/win_menu.png" ] || { echo "game-screens: the Windows game saved no frame" >&2; exit 1; }
mask_frame "$out/gl_splash.png" "$out/gl_splash_masked.png"
mask_frame "$out/gl_menu.png" "$out/gl_menu_masked.png"
diff=$(read_back_difference "$out/gl_menu_masked.png" "$out/win_menu.png" "$out/win_menu_diff.png")
echo "main menu, Windows read-back vs GL: $diff pixels differ"
[ "$diff" -eq 0 ] || { echo "game-screens: the Windows main menu differs from the GL one" >&2; exit 1; }

(cd "$assets" && SDL_VIDEODRIVER=offscreen "$gl_game" --replay "$won_record" --frames 380 --fixed-step --screenshot "$out/gl_blast.png")
"$here/wine-run.sh" -C "$assets" "$win_game" --replay "Z:$won_record" --frames 380 --fixed-step --screenshot "Z:$out/win_blast.png"
[ -f "$out/win_blast.png" ] || { echo "game-screens: the Windows replay saved no frame" >&2; exit 1; }
mask_frame "$out/gl_blast.png" "$out/gl_blast_masked.png"
diff=$(read_back_difference "$out/gl_blast_masked.png" "$out/win_blast.png" "$out/win_blast_diff.png")
echo "won replay after its first explosion, Windows vs GL: $diff pixels differ"
[ "$diff" -eq 0 ] || { echo "game-screens: the Windows world steps differently from the GL one" >&2; exit 1; }

VELA_WINE_SCRIPT=$here/game-live-check.sh "$here/wine-run.sh" "$win_game" "$assets" "$out"

#!/usr/bin/env bash
# The game as a Windows player gets it: the .zip built with CPack in the cross tree,
# unpacked into a scratch folder, and game.exe started under Wine in the unpacked folder
# (as a double-click starts it) until its main menu, which must match the GL game's.
#   zip-test.sh <windows build dir> <GL game> <scratch dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts/windows
[ $# -eq 3 ] || { echo "usage: zip-test.sh <windows build dir> <GL game> <scratch dir>" >&2; exit 2; }
windows=$1
gl_game=$(realpath "$2")
scratch=$3
[ -f "$windows/CPackConfig.cmake" ] && [ -f "$windows/game/game.exe" ] ||
  { echo "zip-test: no cross-built game in $windows: build it with scripts/build-windows.sh" >&2; exit 2; }
windows=$(realpath "$windows")
command -v compare >/dev/null || { echo "zip-test: ImageMagick is missing" >&2; exit 2; }
source "$(dirname "$0")/scratch.sh"
make_scratch "$scratch"
scratch=$(realpath "$scratch")

(cd "$windows" && cpack -G ZIP -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log" >&2; echo "zip-test: cpack failed" >&2; exit 1; }
zip=$(find "$scratch/out" -maxdepth 1 -name 'frag-hurler-*-windows.zip' | head -n 1)
[ -n "$zip" ] || { echo "zip-test: no frag-hurler-*-windows.zip made" >&2; exit 1; }
echo "package: $(basename "$zip"), $(du -k "$zip" | cut -f1) KiB"
mkdir -p "$scratch/unpacked"
(cd "$scratch/unpacked" && cmake -E tar xf "$zip")
# Everything in one folder, so unpacking does not spill files around the player's.
[ "$(ls -A "$scratch/unpacked" | wc -l)" -eq 1 ] ||
  { echo "zip-test: the zip does not hold one folder: $(ls -A "$scratch/unpacked" | tr '\n' ' ')" >&2; exit 1; }
folder=$scratch/unpacked/$(ls -A "$scratch/unpacked")
for file in game.exe assets/comic_sans.fnt assets/comic_sans_LICENSE.txt assets/splash8.png \
  assets/explosion.wav assets/music.ogg; do
  [ -f "$folder/$file" ] || { echo "zip-test: the zip has no $file" >&2; exit 1; }
done

# Frame 150 is the main menu (the splash lasts 100 updates).
source "$scripts/frame-compare.sh"
(cd / && SDL_VIDEODRIVER=offscreen "$gl_game" --frames 150 --fixed-step --screenshot "$scratch/gl_menu.png" >/dev/null)
mask_frame "$scratch/gl_menu.png" "$scratch/gl_menu_masked.png"
VELA_WINDOWS_BUILD_DIR=$windows "$scripts/wine-run.sh" -C "$folder" "$folder/game.exe" \
  --frames 150 --fixed-step --screenshot "Z:$scratch/win_menu.png"
[ -f "$scratch/win_menu.png" ] || { echo "zip-test: the unpacked game saved no frame" >&2; exit 1; }
diff=$(frame_difference "$scratch/gl_menu_masked.png" "$scratch/win_menu.png" "$scratch/win_menu_diff.png")
echo "main menu, unpacked Windows game vs GL: $diff pixels differ"
[ "$diff" -le "$FRAME_TOLERANCE" ] || { echo "zip-test: the unpacked game's main menu differs from the GL one" >&2; exit 1; }

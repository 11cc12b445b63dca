# Sourced by the Windows game tests: their four arguments, checked, and the tools they need.
# game_test_args <third argument's name> "$@"
#   takes <game.exe> <GL game> <folder> <out dir>; sets win_game, gl_game, folder and out
#   (made when missing), all absolute. Anything amiss ends the test with status 2.
game_test_args() {
  local folder_name=$1 name
  shift
  name=$(basename "$0" .sh)
  [ $# -eq 4 ] || { echo "usage: $name.sh <game.exe> <GL game> $folder_name <out dir>" >&2; exit 2; }
  name=${name%-test}
  win_game=$(realpath "$1")
  gl_game=$(realpath "$2")
  folder=$(realpath "$3")
  out=$(mkdir -p "$4" && realpath "$4")
  [ -f "$win_game" ] || { echo "$name: $1 not found: build the Windows tree with scripts/build-windows.sh" >&2; exit 2; }
  [ -x "$gl_game" ] || { echo "$name: the GL game $2 is not built" >&2; exit 2; }
  command -v compare >/dev/null || { echo "$name: ImageMagick is missing" >&2; exit 2; }
}

# gl_masked_frame <assets dir> <frame.png> <game options...>: the GL game's last frame,
# headless at a fixed step, saved as <frame.png> and, masked (frame-compare.sh's
# mask_frame), as <frame>_masked.png.
gl_masked_frame() {
  local assets=$1 frame=$2
  shift 2
  (cd "$assets" && SDL_VIDEODRIVER=offscreen "$gl_game" "$@" --fixed-step --screenshot "$frame")
  mask_frame "$frame" "${frame%.png}_masked.png"
}

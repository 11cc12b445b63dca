#!/usr/bin/env bash
# The framework as a programmer gets it: installed into a scratch prefix, every installed
# header built from there alone (CMake package and pkg-config), the starter project
# configured and built against it from a clean folder, then run headless with a
# screenshot that must show its sprite and its text.
#   starter-test.sh <vela build dir> <starter source dir> <scratch dir>
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: starter-test.sh <build dir> <starter dir> <scratch dir>" >&2; exit 2; }
build=$(realpath "$1")
starter=$(realpath "$2")
scratch=$3
command -v convert >/dev/null || { echo "starter-test: ImageMagick is missing; run scripts/install-deps.sh" >&2; exit 2; }
source "$(dirname "$0")/scratch.sh"
make_scratch "$scratch"
scratch=$(realpath "$scratch")
prefix=$scratch/prefix
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

cmake --install "$build" --prefix "$prefix" --component Development >"$scratch/install.log"
[ -f "$prefix/include/vela/core/application.h" ] || { echo "starter-test: no headers installed under include/vela" >&2; exit 1; }

# One file including every installed header the way a program does: a header that
# includes one that was not installed fails here.
mkdir -p "$scratch/headers"
(cd "$prefix/include" && find vela -name '*.h' | sort | sed 's/.*/#include <&>/') >"$scratch/headers/all.cpp"
# Its main calls the sound loader, so linking needs the Ogg decoder built into vela.
echo 'int main() { vela::SoundData s; return vela::SoundLoader::Decode(nullptr, 0, "-", s); }' \
  >>"$scratch/headers/all.cpp"
cat >"$scratch/headers/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.16)
project(headers LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 17)
find_package(vela CONFIG REQUIRED)
add_executable(every_header all.cpp)
target_link_libraries(every_header PRIVATE vela::vela vela::gl vela::sdl)
CMAKE
cmake -S "$scratch/headers" -B "$scratch/headers/build" -DCMAKE_PREFIX_PATH="$prefix" "${launcher[@]}" >"$scratch/headers.log"
cmake --build "$scratch/headers/build" >>"$scratch/headers.log" 2>&1 || { cat "$scratch/headers.log" >&2; echo "starter-test: the installed headers do not build on their own" >&2; exit 1; }
pc_dir=$(dirname "$(find "$prefix" -name vela-sdl.pc | head -n 1)")
PKG_CONFIG_PATH=$pc_dir c++ -std=c++17 -fsyntax-only "$scratch/headers/all.cpp" \
  $(PKG_CONFIG_PATH=$pc_dir pkg-config --cflags vela-sdl) ||
  { echo "starter-test: the installed headers do not build with pkg-config's flags" >&2; exit 1; }

cmake -S "$starter" -B "$scratch/starter" -DCMAKE_PREFIX_PATH="$prefix" "${launcher[@]}" >"$scratch/starter.log"
cmake --build "$scratch/starter" >>"$scratch/starter.log" 2>&1 || { cat "$scratch/starter.log" >&2; echo "starter-test: the starter does not build against the install" >&2; exit 1; }

shot=$scratch/starter.png
(cd / && SDL_VIDEODRIVER=offscreen "$scratch/starter/starter" --frames 30 --screenshot "$shot")
[ -f "$shot" ] || { echo "starter-test: the starter saved no screenshot" >&2; exit 1; }
# The sprite (orange and black checks) turns about the centre; the text is white, top left.
orange=$(convert "$shot" -crop 200x200+380+172 +repage -alpha off -fuzz 8% -fill white -opaque '#FFC040' \
  -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:)
text=$(convert "$shot" -crop 420x36+16+16 +repage -alpha off -fuzz 8% -fill white -opaque white \
  -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:)
echo "starter frame: $orange sprite pixels at the centre, $text text pixels at the top left"
[ "$orange" -ge 1500 ] || { echo "starter-test: no sprite at the centre of $shot" >&2; exit 1; }
[ "$text" -ge 500 ] || { echo "starter-test: no text at the top left of $shot" >&2; exit 1; }

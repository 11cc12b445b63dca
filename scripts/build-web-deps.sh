#!/usr/bin/env bash
# Builds the browser dependencies with Emscripten as static libraries from Debian's sources:
# zlib, libpng, Box2D, and GoogleTest (from the googletest package's /usr/src) for the tests.
#   scripts/build-web-deps.sh [deps-dir]     default: build/web-deps
# Installs into <deps-dir>/prefix. Each library leaves a stamp file there, so a rerun only
# builds what is missing; delete <deps-dir> to start over.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps_dir=$(mkdir -p "${1:-$root/build/web-deps}" && cd "${1:-$root/build/web-deps}" && pwd)
prefix=$deps_dir/prefix
src_dir=$deps_dir/src
jobs=${VELA_JOBS:-2}
mkdir -p "$prefix" "$src_dir"
# Emscripten's JavaScript tools look for their modules (acorn) here when node is not Debian's.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

log() { echo "[web-deps] $*" >&2; }

for tool in emcc emcmake cmake; do
  command -v "$tool" >/dev/null || { echo "build-web-deps: $tool not found; run scripts/install-deps.sh" >&2; exit 1; }
done

source "$root/scripts/lib/debian-sources.sh"
source "$root/scripts/lib/cmake-deps.sh"
cmake_configure=(emcmake cmake -DCMAKE_FIND_ROOT_PATH="$prefix")

start=$(date +%s)
build_once zlib build_zlib emcc emar -O2
build_once libpng build_libpng "$prefix/lib/libz.a" "$prefix/include"
build_once box2d-portable-math build_box2d emnm
build_once googletest build_googletest -DBUILD_GMOCK=OFF
log "ready in $prefix ($(($(date +%s) - start)) s)"

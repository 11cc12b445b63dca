#!/usr/bin/env bash
# Cross-builds the Windows dependencies as static libraries from Debian's sources:
# Box2D, libpng (on the mingw zlib of libz-mingw-w64-dev) and GoogleTest.
#   scripts/build-windows-deps.sh [deps-dir]     default: build/windows-deps
# Installs into <deps-dir>/prefix. Each library leaves a stamp file there, so a rerun only
# builds what is missing; delete <deps-dir> to start over.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps_dir=$(mkdir -p "${1:-$root/build/windows-deps}" && cd "${1:-$root/build/windows-deps}" && pwd)
prefix=$deps_dir/prefix
src_dir=$deps_dir/src
toolchain=$root/cmake/mingw-w64-x86_64.cmake
triple=x86_64-w64-mingw32
jobs=${VELA_JOBS:-2}
mkdir -p "$prefix" "$src_dir"

log() { echo "[windows-deps] $*" >&2; }

for tool in $triple-gcc-posix $triple-g++-posix cmake; do
  command -v "$tool" >/dev/null || { echo "build-windows-deps: $tool not found; run scripts/install-deps.sh" >&2; exit 1; }
done
zlib_lib=/usr/$triple/lib/libz.a
[ -f "$zlib_lib" ] || { echo "build-windows-deps: $zlib_lib missing; install libz-mingw-w64-dev" >&2; exit 1; }

source "$root/scripts/lib/debian-sources.sh"
source "$root/scripts/lib/cmake-deps.sh"
cmake_configure=(cmake -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVELA_WINDOWS_DEPS="$prefix"
  -DCMAKE_CROSSCOMPILING_EMULATOR=)

start=$(date +%s)
build_once box2d-portable-math build_box2d $triple-nm
build_once libpng build_libpng "$zlib_lib" "/usr/$triple/include"
build_once googletest build_googletest
log "ready in $prefix ($(($(date +%s) - start)) s)"

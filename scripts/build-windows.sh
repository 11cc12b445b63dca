#!/usr/bin/env bash
# Cross-builds the whole project for Windows with mingw-w64: framework, platform/d3d11,
# the game, the tests. Builds the dependencies first when they are missing.
#   scripts/build-windows.sh [build-dir]     default: build/windows
# VELA_JOBS sets the parallel jobs (default 2), VELA_BUILD_TYPE the build type (Release).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root/build/windows}
deps_dir=${VELA_WINDOWS_DEPS_DIR:-$root/build/windows-deps}
jobs=${VELA_JOBS:-2}

"$root/scripts/build-windows-deps.sh" "$deps_dir"

cmake -S "$root" -B "$build_dir" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DVELA_WINDOWS_DEPS="$deps_dir/prefix" \
  -DCMAKE_BUILD_TYPE="${VELA_BUILD_TYPE:-Release}" \
  -DVELA_WERROR=ON -DVELA_BUILD_BENCH=OFF -DVELA_BUILD_EXAMPLES=OFF
cmake --build "$build_dir" -j"$jobs"

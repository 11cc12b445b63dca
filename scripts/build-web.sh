#!/usr/bin/env bash
# Builds the project for the browser with Emscripten: framework, platform/web, the game's
# page and the tests. Builds the dependencies first when they are missing.
#   scripts/build-web.sh [build-dir]     default: build/web
# VELA_WEB_DEPS_DIR names the dependency folder (default build/web-deps), VELA_JOBS the
# parallel jobs (2), VELA_BUILD_TYPE the build type (Release).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root/build/web}
deps_dir=${VELA_WEB_DEPS_DIR:-$root/build/web-deps}
jobs=${VELA_JOBS:-2}
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

"$root/scripts/build-web-deps.sh" "$deps_dir"

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build_dir" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/emscripten-web.cmake" \
  -DVELA_WEB_DEPS="$deps_dir/prefix" \
  -DCMAKE_BUILD_TYPE="${VELA_BUILD_TYPE:-Release}" \
  -DVELA_WERROR=ON -DVELA_BUILD_BENCH=OFF -DVELA_BUILD_EXAMPLES=OFF -DVELA_BUILD_TOOLS=OFF \
  "${launcher[@]}"
cmake --build "$build_dir" -j"$jobs"

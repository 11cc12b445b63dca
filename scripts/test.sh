#!/usr/bin/env bash
# Installs what is missing, builds the Linux, the Windows (cross) and the browser trees, and
# runs every test: unit, render (headless OpenGL), game, windows (under Wine in Xvfb) and
# web (under node and in headless Chromium).
#   scripts/test.sh [ctest arguments...]     e.g. scripts/test.sh -L unit
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

jobs=$(nproc 2>/dev/null || echo 2)

scripts/install-deps.sh

cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELA_WERROR=ON
cmake --build build/linux -j"$jobs"

if [ -x scripts/build-windows.sh ]; then
  scripts/build-windows.sh build/windows
fi
if [ -x scripts/build-web.sh ]; then
  scripts/build-web.sh build/web
fi

ctest --test-dir build/linux --output-on-failure -j"$jobs" "$@"

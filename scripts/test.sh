#!/usr/bin/env bash
# Installs what is missing, builds the Linux, the Windows (cross) and the browser trees, and
# runs every test: unit, render (headless OpenGL), game, windows (under Wine in Xvfb), web
# (under node and in headless Chromium) and package (the install, the starter, the API
# reference, the .deb and the .zip); then the sanitizer tree: the unit, render and game tests
# under ASan, UBSan and LeakSanitizer (label sanitize) and a short run of every fuzz target
# (label fuzz).
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

# The sanitizer tree takes the same ctest arguments; without any it runs its own labels.
# VELA_SKIP_SANITIZE=1 leaves it out.
if [ -z "${VELA_SKIP_SANITIZE:-}" ]; then
  scripts/test-sanitize.sh build/sanitize "$@"
fi

#!/usr/bin/env bash
# Installs what is missing, builds the game for Linux and starts it.
#   scripts/play.sh [game options...]        e.g. scripts/play.sh --help
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh --linux

cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/linux -j"$(nproc 2>/dev/null || echo 2)" --target game

# The game reads its pictures and font from the working directory.
cd assets
exec ../build/linux/game/game "$@"

#!/usr/bin/env bash
# Builds Box2D for the Linux tree from Debian's source, as a static library whose float
# maths is the framework's portable one (as in the Windows and browser trees), so a world
# steps the same there; Debian's libbox2d calls glibc's. The tree's configure runs this
# when the prefix has no such Box2D.
#   scripts/build-linux-deps.sh [deps-dir]     default: build/linux-deps
# Installs into <deps-dir>/prefix (the tree's VELA_LINUX_DEPS), leaving a stamp file there,
# so a rerun builds nothing; delete <deps-dir> to start over.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps_dir=$(mkdir -p "${1:-$root/build/linux-deps}" && cd "${1:-$root/build/linux-deps}" && pwd)
prefix=$deps_dir/prefix
src_dir=$deps_dir/src
jobs=${VELA_JOBS:-2}
mkdir -p "$prefix" "$src_dir"

log() { echo "[linux-deps] $*" >&2; }

for tool in c++ nm cmake; do
  command -v "$tool" >/dev/null || { echo "build-linux-deps: $tool not found; run scripts/install-deps.sh" >&2; exit 1; }
done

source "$root/scripts/lib/debian-sources.sh"
source "$root/scripts/lib/cmake-deps.sh"
# Position-independent: the library also goes into the tree's shared objects and PIE
# programs.
cmake_configure=(cmake -DCMAKE_POSITION_INDEPENDENT_CODE=ON)

start=$(date +%s)
build_once box2d-portable-math build_box2d nm
log "ready in $prefix ($(($(date +%s) - start)) s)"

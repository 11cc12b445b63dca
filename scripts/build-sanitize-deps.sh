#!/usr/bin/env bash
# Builds zlib, libpng and Box2D from Debian's sources for the sanitizer tree: static, with
# Clang's ASan and UBSan and libFuzzer's coverage instrumentation, so the fuzz targets see
# (and steer through) the decoder's own branches, and the sanitizers check its memory.
#   scripts/build-sanitize-deps.sh [deps-dir]     default: build/sanitize-deps
# Installs into <deps-dir>/prefix, which the tree takes as -DVELA_SANITIZE_DEPS=<prefix>.
# Each library leaves a stamp file there, so a rerun only builds what is missing; the prefix
# is started over when the compiler flags below change.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps_dir=$(mkdir -p "${1:-$root/build/sanitize-deps}" && cd "${1:-$root/build/sanitize-deps}" && pwd)
prefix=$deps_dir/prefix
src_dir=$deps_dir/src
jobs=${VELA_JOBS:-2}

log() { echo "[sanitize-deps] $*" >&2; }

for tool in clang llvm-ar cmake; do
  command -v "$tool" >/dev/null || { echo "build-sanitize-deps: $tool not found; run scripts/install-deps.sh" >&2; exit 1; }
done

# The sanitizer and coverage flags of cmake/VelaSanitize.cmake, at the tree's -O1.
flags="-O1 -gline-tables-only -fsanitize=address,undefined -fno-sanitize-recover=undefined"
flags+=" -fno-omit-frame-pointer -fsanitize=fuzzer-no-link"
link_flags="-fsanitize=address,undefined"

if [ -d "$prefix" ] && [ "$(cat "$prefix/.flags" 2>/dev/null)" != "$flags" ]; then
  log "compiler flags changed: rebuilding"
  rm -rf "$prefix"
fi
mkdir -p "$prefix" "$src_dir"
echo "$flags" >"$prefix/.flags"

source "$root/scripts/lib/debian-sources.sh"
source "$root/scripts/lib/cmake-deps.sh"
# Release's own -O3 would override the flags' -O1.
cmake_configure=(cmake -DCMAKE_C_COMPILER=clang -DCMAKE_C_FLAGS="$flags"
  -DCMAKE_C_FLAGS_RELEASE= -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS_RELEASE=
  -DCMAKE_EXE_LINKER_FLAGS="$link_flags"
  -DCMAKE_SHARED_LINKER_FLAGS="$link_flags")

# A library built without the flags would link and run, only blind: every object in it must
# carry the fuzzer's edge counters and call AddressSanitizer.
check_instrumented() {
  local archive=$prefix/lib/$1 objects counted checked
  objects=$(llvm-ar t "$archive" | sort -u)
  counted=$(llvm-objdump -h "$archive" | awk '/file format/ { member = $1; sub(/^.*\(/, "", member); sub(/\):$/, "", member) }
    /__sancov_cntrs/ { print member }' | sort -u)
  checked=$(llvm-nm -A -u "$archive" | awk -F: '/__asan_/ { print $2 }' | sort -u)
  if [ -z "$objects" ] || [ "$objects" != "$counted" ] || [ "$objects" != "$checked" ]; then
    echo "build-sanitize-deps: $archive is not instrumented throughout" >&2
    diff <(echo "$objects") <(echo "$counted") >&2 || true
    exit 1
  fi
}

start=$(date +%s)
# shellcheck disable=SC2086
build_once zlib build_zlib clang llvm-ar $flags
build_once libpng build_libpng "$prefix/lib/libz.a" "$prefix/include"
check_instrumented libz.a
check_instrumented libpng16.a
# shellcheck disable=SC2086
build_once box2d-portable-math build_box2d llvm-nm $flags
check_instrumented libbox2d.a
log "ready in $prefix ($(($(date +%s) - start)) s)"

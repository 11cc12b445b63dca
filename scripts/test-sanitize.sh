#!/usr/bin/env bash
# The sanitizer tree: every unit, render and game test built with Clang's ASan, UBSan and
# LeakSanitizer (ctest label `sanitize`), plus a short libFuzzer run of each target in
# fuzz/ (label `fuzz`), all on zlib and libpng built with the same instrumentation
# (scripts/build-sanitize-deps.sh, into build/sanitize-deps). Only what those labels need
# is built.
#   scripts/test-sanitize.sh [build-dir] [ctest arguments...]   default build/sanitize
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:-build/sanitize}
shift || true
jobs=$(nproc 2>/dev/null || echo 2)

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# zlib and libpng from Debian's sources with the same instrumentation, which every target of
# the tree links instead of Debian's builds (once; a rerun finds them built).
scripts/build-sanitize-deps.sh "${VELA_SANITIZE_DEPS_DIR:-build/sanitize-deps}"
deps_prefix=$(cd "${VELA_SANITIZE_DEPS_DIR:-build/sanitize-deps}/prefix" && pwd)
# -O1 with line tables only: what the sanitizers' reports need, at less build time.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELA_WERROR=ON \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" \
  -DVELA_FUZZ=ON -DVELA_SANITIZE_DEPS="$deps_prefix" \
  -DVELA_BUILD_BENCH=OFF -DVELA_BUILD_EXAMPLES=OFF -DVELA_BUILD_TOOLS=OFF
cmake --build "$build" -j"$jobs"

if [ $# -eq 0 ]; then
  set -- -L 'sanitize|fuzz'
fi
ctest --test-dir "$build" --output-on-failure -j"$jobs" "$@"

#!/usr/bin/env bash
# Long libFuzzer runs. Builds the sanitizer tree if needed, then runs each named target
# (all of them by default) for SECONDS, niced, keeping what it finds in a corpus under the
# build tree (the committed seeds in fuzz/corpus are read, never written). Crashes land
# in <build>/fuzz/artifacts and end the script with a non-zero status.
#   scripts/fuzz.sh [-t SECONDS] [-j PARALLEL] [target...]
#   targets: png_loader font record game_options wav_reader ogg_reader
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${VELA_SANITIZE_BUILD:-build/sanitize}
seconds=600
parallel=1
while getopts "t:j:" opt; do
  case $opt in
    t) seconds=$OPTARG ;;
    j) parallel=$OPTARG ;;
    *) echo "usage: $0 [-t SECONDS] [-j PARALLEL] [target...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(png_loader font record game_options wav_reader ogg_reader)

# zlib and libpng instrumented like the tree (built once); a tree made before them is
# pointed at them too.
scripts/build-sanitize-deps.sh "${VELA_SANITIZE_DEPS_DIR:-build/sanitize-deps}"
deps_prefix=$(cd "${VELA_SANITIZE_DEPS_DIR:-build/sanitize-deps}/prefix" && pwd)
first=()
if [ ! -f "$build/CMakeCache.txt" ]; then
  first=(-DCMAKE_BUILD_TYPE=RelWithDebInfo
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only"
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only"
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVELA_FUZZ=ON
    -DVELA_BUILD_BENCH=OFF -DVELA_BUILD_EXAMPLES=OFF -DVELA_BUILD_TOOLS=OFF)
fi
cmake -S . -B "$build" "${first[@]}" -DVELA_SANITIZE_DEPS="$deps_prefix" >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/%/_fuzz}"

status=0
run() {
  local name=$1
  local corpus=$build/fuzz/long-corpus/$name
  mkdir -p "$corpus" "$build/fuzz/artifacts"
  local dict=()
  [ ! -f "fuzz/$name.dict" ] || dict=(-dict="fuzz/$name.dict")
  echo "== $name: ${seconds} s, corpus $corpus"
  nice -n 10 "$build/fuzz/${name}_fuzz" -max_total_time="$seconds" -close_fd_mask=3 \
    -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 "${dict[@]}" \
    -artifact_prefix="$build/fuzz/artifacts/$name-" "$corpus" "fuzz/corpus/$name" \
    > "$build/fuzz/$name.log" 2>&1 || { echo "!! $name failed: see $build/fuzz/$name.log"; return 1; }
  grep -E "DONE|stat::number_of_executed_units|stat::peak_rss_mb" "$build/fuzz/$name.log" |
    sed "s/^/$name: /" || true
}
running=0
for name in "${targets[@]}"; do
  run "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
done
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
exit $status

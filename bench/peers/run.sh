#!/usr/bin/env bash
# Builds the peer sprite benchmark and runs it in one Xvfb display: vela, SDL_Renderer,
# SFML (sf::Sprite and sf::VertexArray) and Allegro 5 draw the same scene in interleaved
# rounds; the driver prints medians, ratios, the fill floor, picture agreement and draw
# calls per 1,000-sprite frame. On demand only; about a quarter of an hour on two cores.
#   bench/peers/run.sh [driver options, e.g. --rounds 3 --counts 1000,10000]
# PEER_BUILD_DIR (default build/linux) is the build tree; the report and the frames go
# to $PEER_BUILD_DIR/peer-report.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${PEER_BUILD_DIR:-$root/build/linux}"
cd "$root"

scripts/install-deps.sh --bench
cmake -S . -B "$build" -DVELA_BUILD_PEER_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target peer_vela peer_sdl peer_sfml peer_allegro peer_driver

out="$build/peer-report"
mkdir -p "$out"
# SFML says on every start that it cannot set vertical sync: noise here.
xvfb-run -a -s '-screen 0 1280x720x24' \
  "$build/bench/peers/peer_driver" --bin "$build/bench/peers" --out "$out" "$@" \
  2> >(grep -v --line-buffered 'vertical sync' >&2) | tee "$out/report.md"

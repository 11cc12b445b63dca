#!/usr/bin/env bash
# Builds the asset generator (tools/asset_generator) and remakes every picture, the
# bitmap font and the sounds the game loads into assets/. The output is the same byte for
# byte on every run, so a regenerated assets/ shows no change in git unless the art changed.
#   scripts/make-assets.sh [BUILD_DIR]          regenerate assets/ (default: build-assets)
#   scripts/make-assets.sh --check [BUILD_DIR]  generate into a scratch folder and fail
#                                               if assets/ differs from it
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi
build="${1:-$root/build-assets}"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELA_WERROR=ON >/dev/null
cmake --build "$build" --target asset_generator -j2 >/dev/null
generator="$build/tools/asset_generator/asset_generator"

if [ "$check" -eq 0 ]; then
  mkdir -p "$root/assets"
  "$generator" --output "$root/assets"
  echo "assets/ regenerated"
  exit 0
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
"$generator" --output "$scratch"
stale=0
# Every file, in the folders too (web/: the page's icons).
while IFS= read -r -d '' made; do
  name="${made#"$scratch"/}"
  if ! cmp -s "$made" "$root/assets/$name"; then
    echo "assets/$name differs from what tools/asset_generator makes" >&2
    stale=1
  fi
done < <(find "$scratch" -type f -print0 | sort -z)
if [ "$stale" -ne 0 ]; then
  echo "run scripts/make-assets.sh and commit assets/" >&2
  exit 1
fi
echo "assets/ is up to date"

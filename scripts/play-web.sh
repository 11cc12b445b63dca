#!/usr/bin/env bash
# Builds the game's page into dist/web and serves it on 127.0.0.1; open the printed address
# in a browser with WebGL 2. dist/web is a plain folder: any static web host can serve it.
#   scripts/play-web.sh [--build-only] [port]      port: default 8080
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

build_only=0
if [ "${1:-}" = "--build-only" ]; then
  build_only=1
  shift
fi
port=${1:-8080}
case "$port" in
  '' | *[!0-9]*) echo "play-web: the port must be a number, not '$port'" >&2; exit 2 ;;
esac

scripts/build-web.sh build/web >&2

# The page, its program and its packed assets; replaced whole, so a half-copied folder is
# never served.
files=(index.html game.js game.wasm game.data)
for f in "${files[@]}"; do
  [ -f "build/web/game/$f" ] || { echo "play-web: build/web/game/$f was not built" >&2; exit 1; }
done
# A web server runs as another user (www-data): everyone may read the page, whatever
# the umask, and mktemp's folder (0700) is opened up.
[ -d dist ] || mkdir -m 0755 dist
staging=$(mktemp -d dist/.web.XXXXXX)
for f in "${files[@]}"; do
  cp "build/web/game/$f" "$staging/"
done
cp assets/comic_sans_LICENSE.txt "$staging/"
chmod 0755 "$staging"
chmod 0644 "$staging"/*
if [ -d dist/web ]; then
  mv dist/web "$staging.old"
fi
mv "$staging" dist/web
rm -rf "$staging.old"
size=$(du -cb dist/web/game.js dist/web/game.wasm dist/web/game.data | tail -n 1 | cut -f1)
echo "dist/web: $((size / 1024)) KiB to download (game.js + game.wasm + game.data)"

if [ "$build_only" -eq 1 ]; then
  exit 0
fi
echo "Serving the game at http://127.0.0.1:$port/ (Ctrl+C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory dist/web

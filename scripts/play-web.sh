#!/usr/bin/env bash
# Builds the game's page into dist/web and serves it on 127.0.0.1; open the printed address
# in a browser with WebGL 2. dist/web is a plain folder: any static web host can serve it
# (over https, for the page to install and play offline).
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

# The page, its program and its packed assets, the manifest, the icons and the service
# worker, as the build lists them; replaced whole, so a half-copied folder is never served.
list=build/web/game/page-files.txt
[ -f "$list" ] || { echo "play-web: $list was not built" >&2; exit 1; }
mapfile -t files < "$list"
for f in "${files[@]}"; do
  case "$f" in
    '' | */* | .*) echo "play-web: $list names '$f', not a file of the page" >&2; exit 1 ;;
  esac
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
size=$(cd dist/web && du -cb "${files[@]}" | tail -n 1 | cut -f1)
echo "dist/web: $((size / 1024)) KiB to download and keep for offline play (${#files[@]} files)"

if [ "$build_only" -eq 1 ]; then
  exit 0
fi
# 127.0.0.1 is a secure context, as the service worker needs: the page installs and plays
# offline from here (another machine needs it served over https).
echo "Serving the game at http://127.0.0.1:$port/ (Ctrl+C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory dist/web

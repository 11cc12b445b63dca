#!/usr/bin/env bash
# Runs one Windows program under Wine and exits with its status. By default it runs in a
# private, hidden X server (Xvfb), so nothing shows on the screen: that is what tests want.
# To see and play it on your own display, pass --display (or set VELA_WINE_DISPLAY=1);
# DISPLAY must then name your X server.
#   scripts/windows/wine-run.sh [--display] [-C dir] <program.exe> [arguments...]
# -C runs it in that folder (default: the current one).
# The Wine prefix is <build dir>/wineprefix, the build dir being the nearest folder above
# the program with a CMakeCache.txt (or VELA_WINDOWS_BUILD_DIR). It is made on first use.
# Runs are serialised on the prefix: one wineserver, one display at a time.
# VELA_WINE_SCRIPT=<file>: run that bash script instead of the program, in the same
# display and prefix, with "$@" as its arguments (for tests that drive the window).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
own_display=${VELA_WINE_DISPLAY:-0}
if [ "${1:-}" = --display ]; then
  own_display=1
  shift
fi
run_dir=""
if [ "${1:-}" = -C ]; then
  [ $# -ge 2 ] || { echo "wine-run: -C needs a folder" >&2; exit 2; }
  run_dir=$2
  shift 2
fi
[ $# -ge 1 ] || { echo "usage: wine-run.sh [--display] [-C dir] <program.exe> [arguments...]" >&2; exit 2; }
if [ -z "${VELA_WINE_SCRIPT:-}" ]; then
  [ -f "$1" ] || { echo "wine-run: $1 not found: build the Windows tree with scripts/build-windows.sh" >&2; exit 2; }
  program=$(realpath "$1")
  shift
  set -- "$program" "$@"
fi
if [ -n "$run_dir" ]; then
  cd "$run_dir" || { echo "wine-run: no folder $run_dir: build the Windows tree with scripts/build-windows.sh" >&2; exit 2; }
fi
for tool in wine wineserver xvfb-run flock; do
  command -v "$tool" >/dev/null || { echo "wine-run: $tool not found; run scripts/install-deps.sh" >&2; exit 2; }
done

build_dir=${VELA_WINDOWS_BUILD_DIR:-}
if [ -z "$build_dir" ]; then
  dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd || true)
  while [ -n "$dir" ] && [ "$dir" != / ]; do
    if [ -f "$dir/CMakeCache.txt" ]; then build_dir=$dir; break; fi
    dir=$(dirname "$dir")
  done
fi
[ -n "$build_dir" ] || { echo "wine-run: no build folder above $1" >&2; exit 2; }

export WINEPREFIX=$build_dir/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
mkdir -p "$WINEPREFIX"
exec 9>"$build_dir/.wineprefix.lock"
flock 9

export VELA_WINE_HELPER=$here/wine-in-display.sh
if [ "$own_display" = 1 ]; then
  [ -n "${DISPLAY:-}" ] || { echo "wine-run: --display needs DISPLAY set to your X server" >&2; exit 2; }
  exec "$here/wine-in-display.sh" "$@"
fi
exec xvfb-run -a -s "-screen 0 ${VELA_XVFB_SIZE:-1280x1024x24}" "$here/wine-in-display.sh" "$@"

#!/usr/bin/env bash
# The part of wine-run.sh that runs inside Xvfb: prepares the prefix once, runs the
# program (or VELA_WINE_SCRIPT), and stops the wineserver before the display goes away.
set -uo pipefail

if [ ! -f "$WINEPREFIX/.vela-ready" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Without a window manager a managed window stalls for seconds at teardown.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.vela-ready"
fi

if [ -n "${VELA_WINE_SCRIPT:-}" ]; then
  bash "$VELA_WINE_SCRIPT" "$@"
else
  wine "$@"
fi
status=$?
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
exit $status

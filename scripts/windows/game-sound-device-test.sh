#!/usr/bin/env bash
# The Windows game under Wine on whatever sound device Wine's driver offers (in Xvfb often
# none), for 250 frames at its own pace, past the sound core's first retry (at 3 s): it must
# end with status 0 and say at most once that it plays silently. Which it was is printed.
#   scripts/windows/game-sound-device-test.sh <game.exe> <assets dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 2 ] || { echo "usage: game-sound-device-test.sh <game.exe> <assets dir>" >&2; exit 2; }
err=$(mktemp)
trap 'rm -f "$err"' EXIT
status=0
env -u ALSOFT_CONF -u ALSOFT_DRIVERS "$here/wine-run.sh" -C "$2" "$1" --frames 250 2>"$err" || status=$?
said=$(grep '^audio:' "$err" || true)
if [ "$status" -ne 0 ]; then
  cat "$err" >&2
  echo "game-sound-device: the game ended with status $status" >&2
  exit 1
fi
silent=$(printf '%s\n' "$said" | grep -c 'playing silently' || true)
if [ "$silent" -gt 1 ]; then
  printf '%s\n' "$said" >&2
  echo "game-sound-device: the missing device was reported $silent times, not once" >&2
  exit 1
fi
if [ -n "$said" ]; then
  echo "game-sound-device: no device under Wine; the game said: $said"
else
  echo "game-sound-device: the game played on Wine's sound device"
fi

#!/usr/bin/env bash
# Checks that Windows programs import no DLL beyond Windows' own (no mingw runtime,
# no zlib, no libpng DLL): they must run from a bare folder. avrt.dll (Windows' own since
# Vista) is what OpenAL Soft's WASAPI backend raises its mixing thread's priority with.
#   scripts/windows/check-dlls.sh <program.exe>...
set -euo pipefail
objdump=x86_64-w64-mingw32-objdump
command -v $objdump >/dev/null || { echo "check-dlls: $objdump not found" >&2; exit 2; }
allowed=" kernel32.dll user32.dll gdi32.dll msvcrt.dll advapi32.dll shell32.dll ole32.dll d3d11.dll dxgi.dll d3dcompiler_47.dll dinput8.dll winmm.dll avrt.dll "
status=0
for exe in "$@"; do
  [ -f "$exe" ] || { echo "check-dlls: $exe not found: build the Windows tree with scripts/build-windows.sh" >&2; status=1; continue; }
  dlls=$($objdump -p "$exe" | awk '/DLL Name:/ { print tolower($3) }')
  for dll in $dlls; do
    case "$allowed" in
      *" $dll "*) ;;
      *) echo "check-dlls: $(basename "$exe") needs $dll" >&2; status=1 ;;
    esac
  done
  echo "$(basename "$exe"):" $dlls
done
exit $status

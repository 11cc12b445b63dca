#!/usr/bin/env bash
# Builds the API reference with Doxygen; fails on any warning (an undocumented public
# class or function, a broken reference), printing them.
#   scripts/docs.sh [OUTPUT_DIR]      default: build/docs; the entry page is html/index.html
# VELA_DOCS_EXTRA_INPUT adds headers to the input (the docs test uses it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/docs}
command -v doxygen >/dev/null || { echo "docs: doxygen not found; run scripts/install-deps.sh" >&2; exit 2; }
mkdir -p "$out"
out=$(cd "$out" && pwd)
version=$(sed -n 's/^project(vela VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
cd "$root"
rm -f "$out/warnings.log"
status=0
{
  cat docs/Doxyfile
  for extra in ${VELA_DOCS_EXTRA_INPUT:-}; do echo "INPUT += $extra"; done
} | VELA_DOCS_OUTPUT=$out VELA_VERSION=$version doxygen - >"$out/doxygen.log" 2>&1 || status=$?
if [ -s "$out/warnings.log" ]; then
  cat "$out/warnings.log" >&2
  echo "docs: $(grep -cE 'warning:|error:' "$out/warnings.log") warning(s); see above" >&2
  exit 1
fi
if [ "$status" -ne 0 ]; then
  cat "$out/doxygen.log" >&2
  echo "docs: doxygen failed (status $status)" >&2
  exit 1
fi
echo "docs: $out/html/index.html"

#!/usr/bin/env bash
# The sanitizer tree must use only the instrumented zlib and libpng of its deps prefix:
# compiled against their headers, linked against their static archives, and no program
# loading Debian's shared builds beside them.
#   check_deps.sh <build dir> <deps prefix>
set -uo pipefail
build=$1
prefix=${2:-}
if [ -z "$prefix" ] || [ ! -f "$prefix/lib/libpng16.a" ]; then
  echo "no instrumented libpng: configure with -DVELA_SANITIZE_DEPS (scripts/test-sanitize.sh)"
  exit 1
fi
status=0
fail() { echo "$*"; status=1; }

# Headers: every dependency file the compiler wrote.
used_prefix_header=0
while IFS= read -r depfile; do
  if grep -Eq '(^|[ :])/usr/(local/)?include/(png|pngconf|pnglibconf|zlib|zconf)\.h|/usr/include/libpng' "$depfile"; then
    fail "$depfile: a system zlib or libpng header"
  fi
  if grep -q "$prefix/include/png.h" "$depfile"; then
    used_prefix_header=1
  fi
done < <(find "$build" -path "$prefix" -prune -o -name '*.o.d' -print)
[ "$used_prefix_header" = 1 ] || fail "no object was compiled against $prefix/include/png.h"

# Link lines: any zlib or libpng named must be the prefix's.
linked_prefix_png=0
while IFS= read -r link; do
  while IFS= read -r library; do
    case $library in
      "$prefix"/lib/libpng16.a) linked_prefix_png=1 ;;
      "$prefix"/lib/libz.a) ;;
      *) fail "$link: links $library" ;;
    esac
  done < <(grep -Eo '(-l(png|png16|z)( |$))|[^ ]*lib(png[0-9]*|z)\.(a|so)[^ ]*' "$link" | sed 's/ $//')
done < <(find "$build" -name link.txt)
[ "$linked_prefix_png" = 1 ] || fail "no program links $prefix/lib/libpng16.a"

# Programs: none may load Debian's shared zlib or libpng.
programs=0
while IFS= read -r program; do
  [ "$(head -c 4 "$program" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
  programs=$((programs + 1))
  if ldd "$program" 2>/dev/null | grep -Eq 'lib(png[0-9]*|z)\.so'; then
    fail "$program loads $(ldd "$program" | grep -Eo 'lib(png[0-9]*|z)\.so[^ ]*' | sort -u | tr '\n' ' ')"
  fi
done < <(find "$build" -path '*/CMakeFiles' -prune -o -type f -perm -u+x ! -name '*.so*' -print)
[ "$programs" -gt 0 ] || fail "no programs found in $build"

[ "$status" = 0 ] && echo "$programs programs checked: zlib and libpng only from $prefix"
exit $status

#!/usr/bin/env bash
# Builds the browser dependencies with Emscripten as static libraries from Debian's sources:
# zlib, libpng, Box2D, and GoogleTest (from the googletest package's /usr/src) for the tests.
#   scripts/build-web-deps.sh [deps-dir]     default: build/web-deps
# Installs into <deps-dir>/prefix. Each library leaves a stamp file there, so a rerun only
# builds what is missing; delete <deps-dir> to start over.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps_dir=$(mkdir -p "${1:-$root/build/web-deps}" && cd "${1:-$root/build/web-deps}" && pwd)
prefix=$deps_dir/prefix
src_dir=$deps_dir/src
jobs=${VELA_JOBS:-2}
mkdir -p "$prefix" "$src_dir"
# Emscripten's JavaScript tools look for their modules (acorn) here when node is not Debian's.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

log() { echo "[web-deps] $*" >&2; }

for tool in emcc emcmake cmake; do
  command -v "$tool" >/dev/null || { echo "build-web-deps: $tool not found; run scripts/install-deps.sh" >&2; exit 1; }
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Debian's source packages need a deb-src entry; the release suite only, since the
# security suite's sources are not on every mirror.
ensure_deb_src() {
  if apt-cache showsrc box2d 2>/dev/null | grep -q '^Package:'; then
    return
  fi
  local uri=""
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    uri=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources)
  fi
  if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
    uri=$(awk '$1 == "deb" && $0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /:\/\//) { print $i; exit } }' /etc/apt/sources.list)
  fi
  [ -n "$uri" ] || { echo "build-web-deps: no Debian apt source found to add deb-src beside" >&2; exit 1; }
  log "adding deb-src for bookworm ($uri)"
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' "$uri" |
    as_root tee /etc/apt/sources.list.d/vela-deb-src.sources >/dev/null
  as_root apt-get update -qq
}

# Unpacks Debian's source of $1 (pinned to bookworm) under src/ and prints its directory.
fetch_source() {
  local package=$1
  local existing
  existing=$(find "$src_dir" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
  if [ -z "$existing" ]; then
    ensure_deb_src
    command -v dpkg-source >/dev/null || { echo "build-web-deps: dpkg-source missing; install dpkg-dev" >&2; exit 1; }
    (cd "$src_dir" && apt-get source -qq "$package/bookworm" >"$deps_dir/$package-source.log" 2>&1) ||
      { cat "$deps_dir/$package-source.log" >&2; exit 1; }
    existing=$(find "$src_dir" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
  fi
  [ -n "$existing" ] || { echo "build-web-deps: no source tree for $package" >&2; exit 1; }
  echo "$existing"
}

# cmake_build <name> <source dir> <cmake options...>
cmake_build() {
  local name=$1 source=$2
  shift 2
  local build=$deps_dir/build-$name
  rm -rf "$build"
  emcmake cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF -Wno-dev "$@" >"$deps_dir/$name.log" 2>&1 ||
    { tail -n 30 "$deps_dir/$name.log" >&2; exit 1; }
  cmake --build "$build" -j"$jobs" >>"$deps_dir/$name.log" 2>&1 ||
    { tail -n 30 "$deps_dir/$name.log" >&2; exit 1; }
  cmake --install "$build" >>"$deps_dir/$name.log" 2>&1 ||
    { tail -n 30 "$deps_dir/$name.log" >&2; exit 1; }
  rm -rf "$build"
}

start=$(date +%s)

if [ ! -f "$prefix/.zlib.stamp" ]; then
  log "zlib"
  zlib_src=$(fetch_source zlib)
  # Debian's zlib source drops the Windows resource its CMake file names, so the library is
  # compiled straight from its C files (the same set its Makefile archives).
  zlib_build=$deps_dir/build-zlib
  rm -rf "$zlib_build" && mkdir -p "$zlib_build" "$prefix/lib" "$prefix/include"
  for c in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
    inftrees trees uncompr zutil; do
    emcc -O2 -DHAVE_UNISTD_H -DHAVE_STDARG_H -c "$zlib_src/$c.c" -o "$zlib_build/$c.o" >>"$deps_dir/zlib.log" 2>&1 ||
      { tail -n 30 "$deps_dir/zlib.log" >&2; exit 1; }
  done
  emar rcs "$prefix/lib/libz.a" "$zlib_build"/*.o
  cp "$zlib_src/zlib.h" "$zlib_src/zconf.h" "$prefix/include/"
  rm -rf "$zlib_build"
  touch "$prefix/.zlib.stamp"
fi

if [ ! -f "$prefix/.libpng.stamp" ]; then
  log "libpng"
  png_src=$(fetch_source libpng1.6)
  cmake_build libpng "$png_src" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF \
    -DPNG_TESTS=OFF -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
  touch "$prefix/.libpng.stamp"
fi

if [ ! -f "$prefix/.box2d.stamp" ]; then
  log "box2d"
  box2d_src=$(fetch_source box2d)
  cmake_build box2d "$box2d_src" -DBOX2D_BUILD_UNIT_TESTS=OFF -DBOX2D_BUILD_TESTBED=OFF \
    -DBOX2D_BUILD_DOCS=OFF
  touch "$prefix/.box2d.stamp"
fi

if [ ! -f "$prefix/.googletest.stamp" ]; then
  log "googletest"
  if [ -f /usr/src/googletest/CMakeLists.txt ]; then
    gtest_src=/usr/src/googletest
  else
    gtest_src=$(fetch_source googletest)
  fi
  cmake_build googletest "$gtest_src" -Dgtest_disable_pthreads=ON -DINSTALL_GTEST=ON -DBUILD_GMOCK=OFF
  touch "$prefix/.googletest.stamp"
fi

log "ready in $prefix ($(($(date +%s) - start)) s)"

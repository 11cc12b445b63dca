#!/usr/bin/env bash
# Cross-builds the Windows dependencies as static libraries from Debian's sources:
# Box2D, libpng (on the mingw zlib of libz-mingw-w64-dev), GoogleTest and OpenAL Soft.
#   scripts/build-windows-deps.sh [deps-dir]     default: build/windows-deps
# Installs into <deps-dir>/prefix. Each library leaves a stamp file there, so a rerun only
# builds what is missing; delete <deps-dir> to start over.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps_dir=$(mkdir -p "${1:-$root/build/windows-deps}" && cd "${1:-$root/build/windows-deps}" && pwd)
prefix=$deps_dir/prefix
src_dir=$deps_dir/src
toolchain=$root/cmake/mingw-w64-x86_64.cmake
triple=x86_64-w64-mingw32
jobs=${VELA_JOBS:-2}
mkdir -p "$prefix" "$src_dir"

log() { echo "[windows-deps] $*" >&2; }

for tool in $triple-gcc-posix $triple-g++-posix cmake; do
  command -v "$tool" >/dev/null || { echo "build-windows-deps: $tool not found; run scripts/install-deps.sh" >&2; exit 1; }
done
zlib_lib=/usr/$triple/lib/libz.a
[ -f "$zlib_lib" ] || { echo "build-windows-deps: $zlib_lib missing; install libz-mingw-w64-dev" >&2; exit 1; }

source "$root/scripts/lib/debian-sources.sh"
source "$root/scripts/lib/cmake-deps.sh"
cmake_configure=(cmake -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVELA_WINDOWS_DEPS="$prefix"
  -DCMAKE_CROSSCOMPILING_EMULATOR=)

# OpenAL Soft is Debian's upstream tarball of 1.24.2 (trixie's), fetched from the pool of
# apt's mirror with its SHA-256 pinned: the mirror no longer serves the tarballs of
# bookworm's 1.19.1. Linux links Debian 12's libopenal 1.19.1; the core uses the same API on
# both. C++17 and std::thread: the posix-thread mingw compilers of the toolchain file.
openal_file=openal-soft_1.24.2.orig.tar.gz
openal_sha256=7efd383d70508587fbc146e4c508771a2235a5fc8ae05bf6fe721c20a348bd7c

# Static, with the backends that serve Windows (WinMM, DirectSound, WASAPI), the null one
# and the wave writer that tests hear a device through. No programs, data files, EAX or
# embedded HRTF sets (the game asks for no HRTF).
build_openal() {
  local source
  source=$(fetch_pool_tarball openal-soft "$openal_file" "$openal_sha256")
  # Its static library takes in fmt's objects through $<BUILD_LOCAL_INTERFACE>, which came
  # with CMake 3.26; Debian 12 has 3.25. The same objects are added as sources instead.
  sed -i 's|^\( *\)\$<BUILD_LOCAL_INTERFACE:alsoft::fmt>)$|\1)\n\1target_sources(OpenAL PRIVATE $<TARGET_OBJECTS:alsoft.fmt>)\n\1target_include_directories(OpenAL PRIVATE $<TARGET_PROPERTY:alsoft.fmt,INTERFACE_INCLUDE_DIRECTORIES>)|' \
    "$source/CMakeLists.txt"
  cmake_build openal-soft "$source" -DLIBTYPE=STATIC \
    -DALSOFT_UTILS=OFF -DALSOFT_NO_CONFIG_UTIL=ON -DALSOFT_EXAMPLES=OFF -DALSOFT_TESTS=OFF \
    -DALSOFT_INSTALL_CONFIG=OFF -DALSOFT_INSTALL_HRTF_DATA=OFF -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF \
    -DALSOFT_INSTALL_EXAMPLES=OFF -DALSOFT_INSTALL_UTILS=OFF -DALSOFT_EMBED_HRTF_DATA=OFF \
    -DALSOFT_UPDATE_BUILD_VERSION=OFF -DALSOFT_EAX=OFF \
    -DALSOFT_REQUIRE_WINMM=ON -DALSOFT_REQUIRE_DSOUND=ON -DALSOFT_REQUIRE_WASAPI=ON \
    -DALSOFT_BACKEND_WAVE=ON -DALSOFT_BACKEND_PIPEWIRE=OFF -DALSOFT_BACKEND_PULSEAUDIO=OFF \
    -DALSOFT_BACKEND_JACK=OFF -DALSOFT_BACKEND_PORTAUDIO=OFF -DALSOFT_BACKEND_SDL2=OFF \
    -DALSOFT_BACKEND_SDL3=OFF
}

start=$(date +%s)
build_once box2d-portable-math build_box2d $triple-nm
build_once libpng build_libpng "$zlib_lib" "/usr/$triple/include"
build_once googletest build_googletest
if [ ! -f "$prefix/.openal-soft.stamp" ]; then
  openal_start=$(date +%s)
  build_once openal-soft build_openal
  log "openal-soft built in $(($(date +%s) - openal_start)) s"
fi
log "ready in $prefix ($(($(date +%s) - start)) s)"

#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, skipping those already present.
#   scripts/install-deps.sh            everything: Linux build, tests, Windows and browser builds
#   scripts/install-deps.sh --linux    only what the Linux build and its tests need
#   scripts/install-deps.sh --bench    the Linux build plus the peer libraries, Xvfb and
#                                      apitrace for bench/peers/run.sh
set -euo pipefail

linux_packages=(
  cmake g++ make pkg-config git
  libpng-dev zlib1g-dev libsdl2-dev libepoxy-dev
  libopenal-dev libopenal1 libasound2-dev libstb-dev libvorbis-dev
  libgl1-mesa-dri libegl1 libegl-mesa0
  googletest libgtest-dev libbenchmark-dev
  libfreetype-dev fonts-comic-neue
  clang-format glslang-tools
  doxygen imagemagick dpkg-dev file lintian man-db groff-base
)
# The sanitizer tree and the fuzz targets: Clang with its sanitizer and libFuzzer runtimes,
# and llvm-symbolizer for readable reports.
sanitize_packages=(
  clang libclang-rt-14-dev llvm
)
windows_packages=(
  g++-mingw-w64-x86-64 libz-mingw-w64-dev dpkg-dev curl
  wine wine64 xvfb xauth x11-apps x11-utils imagemagick xdotool
)
# The browser build: Emscripten (with Debian's node), dpkg-dev for the dependencies'
# sources, and for its tests headless Chromium and Firefox ESR (in Xvfb, with
# python3-websocket for its Remote Agent) and Python's imaging library.
web_packages=(
  emscripten nodejs dpkg-dev chromium firefox-esr xvfb python3 python3-pil
  python3-websocket
)
bench_packages=(
  libsfml-dev liballegro5-dev xvfb xauth apitrace
)

packages=("${linux_packages[@]}" "${sanitize_packages[@]}")
case "${1:-}" in
  --linux) ;;
  --bench) packages+=("${bench_packages[@]}") ;;
  *) packages+=("${windows_packages[@]}" "${web_packages[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"

#!/usr/bin/env bash
# The game as a Linux player gets it: the .deb built with CPack, accepted by lintian
# without an error or a warning, unpacked into a scratch root (dpkg -x), its files where
# Debian puts games, its manual page rendering and naming every option of --help, and the
# installed program started headless from / until its main menu, which must be the frame
# the build tree's game draws from its own assets.
#   deb-test.sh <vela build dir> <scratch dir>
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: deb-test.sh <build dir> <scratch dir>" >&2; exit 2; }
build=$(realpath "$1")
scratch=$2
for tool in cpack dpkg-deb dpkg-parsechangelog compare lintian man; do
  command -v $tool >/dev/null || { echo "deb-test: $tool not found; run scripts/install-deps.sh" >&2; exit 2; }
done
source "$(dirname "$0")/scratch.sh"
make_scratch "$scratch"
scratch=$(realpath "$scratch")

(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log" >&2; echo "deb-test: cpack failed" >&2; exit 1; }
deb=$(find "$scratch/out" -maxdepth 1 -name 'frag-hurler_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "deb-test: no frag-hurler_*.deb made" >&2; exit 1; }
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB, depends: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q libsdl2 || { echo "deb-test: the package does not depend on SDL2" >&2; exit 1; }
# Box2D is linked in, on vela's portable maths: Debian's calls glibc's and steps differently.
! dpkg-deb -f "$deb" Depends | grep -q libbox2d || { echo "deb-test: the package depends on Debian's Box2D" >&2; exit 1; }

# lintian says "running with root privileges is not recommended" as root: not about us.
if ! lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1; then
  grep -v 'running with root privileges' "$scratch/lintian.log" >&2
  echo "deb-test: lintian reports errors or warnings on $(basename "$deb")" >&2
  exit 1
fi
echo "lintian: no errors or warnings"

root=$scratch/root
dpkg -x "$deb" "$root"
zcat "$root/usr/share/doc/frag-hurler/changelog.gz" >"$scratch/changelog"
logged=$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)
[ "$logged" = "$(dpkg-deb -f "$deb" Version)" ] ||
  { echo "deb-test: the changelog's latest entry is $logged, the package $(dpkg-deb -f "$deb" Version)" >&2; exit 1; }

# The manual page renders without a warning and names every option the program has.
page=$root/usr/share/man/man6/frag-hurler.6.gz
LC_ALL=C MANWIDTH=80 man --warnings -P cat -l "$page" >"$scratch/manual.txt" 2>"$scratch/manual.log" ||
  { cat "$scratch/manual.log" >&2; echo "deb-test: man can't render $page" >&2; exit 1; }
[ ! -s "$scratch/manual.log" ] ||
  { cat "$scratch/manual.log" >&2; echo "deb-test: the manual page renders with warnings" >&2; exit 1; }
options=$("$build/game/game" --help | grep -oE '^ +--[a-z0-9-]+' | tr -d ' ')
[ -n "$options" ] || { echo "deb-test: found no options in game --help" >&2; exit 1; }
for option in $options; do
  grep -qE "^ +$option( |\$)" "$scratch/manual.txt" ||
    { echo "deb-test: the manual page does not describe $option (packaging/frag-hurler.6)" >&2; exit 1; }
done
echo "manual page: renders, describes $(echo $options | wc -w) options"
for file in usr/games/frag-hurler usr/share/games/frag-hurler/comic_sans.fnt \
  usr/share/games/frag-hurler/comic_sans_LICENSE.txt usr/share/games/frag-hurler/splash8.png \
  usr/share/games/frag-hurler/explosion.wav usr/share/games/frag-hurler/music.ogg \
  usr/share/applications/frag-hurler.desktop usr/share/icons/hicolor/128x128/apps/frag-hurler.png; do
  [ -e "$root/$file" ] || { echo "deb-test: the package has no /$file" >&2; exit 1; }
done
# The menu entry starts the packaged program and shows the packaged icon.
desktop=$root/usr/share/applications/frag-hurler.desktop
# (a bare name, found on the PATH in /usr/games, so any install prefix works)
command_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$root/usr/games/$command_name" ] ||
  { echo "deb-test: the menu entry starts '$command_name', which is not in the package's /usr/games" >&2; exit 1; }
[ -f "$root/usr/share/icons/hicolor/128x128/apps/$icon.png" ] ||
  { echo "deb-test: the menu entry's icon $icon is not in the package" >&2; exit 1; }
if dpkg-deb -c "$deb" | grep -q 'include/vela'; then
  echo "deb-test: the game package carries the framework's headers" >&2
  exit 1
fi

# Frame 150 is the main menu (the splash lasts 100 updates).
(cd / && SDL_VIDEODRIVER=offscreen "$build/game/game" --frames 150 --fixed-step \
  --screenshot "$scratch/reference.png" >/dev/null)
(cd / && SDL_VIDEODRIVER=offscreen "$root/usr/games/frag-hurler" --frames 150 --fixed-step \
  --screenshot "$scratch/installed.png" >/dev/null)
[ -f "$scratch/installed.png" ] || { echo "deb-test: the installed game saved no frame" >&2; exit 1; }
differ=$(compare -metric AE "$scratch/reference.png" "$scratch/installed.png" null: 2>&1 || true)
echo "main menu, installed game vs build tree: $differ pixels differ"
[ "$differ" = 0 ] || { echo "deb-test: the installed game's main menu differs (see $scratch)" >&2; exit 1; }

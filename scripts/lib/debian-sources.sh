# Sourced by the dependency builds: Debian's source packages, unpacked once and kept.
# The caller sets deps_dir (logs go there) and src_dir (the unpacked trees), and
# defines log. Messages start with the calling script's name.

debian_sources_name=$(basename "$0" .sh)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Prints the Debian mirror apt is set up with (its first non-security source).
debian_mirror() {
  local uri=""
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    uri=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources)
  fi
  if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
    uri=$(awk '$1 == "deb" && $0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /:\/\//) { print $i; exit } }' /etc/apt/sources.list)
  fi
  [ -n "$uri" ] || { echo "$debian_sources_name: no Debian apt source found" >&2; exit 1; }
  echo "${uri%/}"
}

# Debian's source packages need a deb-src entry; the release suite only, since the
# security suite's sources are not on every mirror.
ensure_deb_src() {
  if apt-cache showsrc box2d 2>/dev/null | grep -q '^Package:'; then
    return
  fi
  local uri
  uri=$(debian_mirror) || exit 1
  log "adding deb-src for bookworm ($uri)"
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' "$uri" |
    as_root tee /etc/apt/sources.list.d/vela-deb-src.sources >/dev/null
  as_root apt-get update -qq
}

# Unpacks Debian's source of $1 (pinned to bookworm) under src_dir and prints its directory.
fetch_source() {
  local package=$1
  local existing
  existing=$(find "$src_dir" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
  if [ -z "$existing" ]; then
    ensure_deb_src
    command -v dpkg-source >/dev/null || { echo "$debian_sources_name: dpkg-source missing; install dpkg-dev" >&2; exit 1; }
    (cd "$src_dir" && apt-get source -qq "$package/bookworm" >"$deps_dir/$package-source.log" 2>&1) ||
      { cat "$deps_dir/$package-source.log" >&2; exit 1; }
    existing=$(find "$src_dir" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
  fi
  [ -n "$existing" ] || { echo "$debian_sources_name: no source tree for $package" >&2; exit 1; }
  echo "$existing"
}

# The googletest package ships its sources in /usr/src; otherwise take the source package.
googletest_source() {
  if [ -f /usr/src/googletest/CMakeLists.txt ]; then
    echo /usr/src/googletest
  else
    fetch_source googletest
  fi
}

# fetch_pool_tarball <package> <file> <sha256>: downloads <file> from the mirror's pool
# folder of <package>, refuses it unless its SHA-256 is the pinned one, unpacks it under
# src_dir once and prints the tree's folder (the tarball's one top folder). It runs in a
# command substitution, where set -e does not hold: every failure exits by itself.
fetch_pool_tarball() {
  local package=$1 file=$2 sha256=$3
  local tarball=$src_dir/$file unpack=$src_dir/.unpack-$1
  if [ ! -f "$tarball.tree" ]; then
    local pool=${package:0:1} url got
    [[ $package != lib* ]] || pool=${package:0:4}
    url=$(debian_mirror) || exit 1
    url=$url/pool/main/$pool/$package/$file
    rm -f "$tarball.part"
    if command -v curl >/dev/null; then
      curl -fsSL --retry 3 -o "$tarball.part" "$url"
    else
      python3 -c 'import sys, urllib.request; urllib.request.urlretrieve(sys.argv[1], sys.argv[2])' \
        "$url" "$tarball.part"
    fi || { echo "$debian_sources_name: could not fetch $url" >&2; rm -f "$tarball.part"; exit 1; }
    got=$(sha256sum "$tarball.part" | cut -d' ' -f1)
    if [ "$got" != "$sha256" ]; then
      echo "$debian_sources_name: $url has SHA-256 $got, not the pinned $sha256; refused" >&2
      rm -f "$tarball.part"
      exit 1
    fi
    rm -rf "$unpack" && mkdir -p "$unpack" || exit 1
    tar -xzf "$tarball.part" -C "$unpack" || { echo "$debian_sources_name: could not unpack $file" >&2; exit 1; }
    local top
    top=$(ls "$unpack")
    [ "$(echo "$top" | wc -l)" -eq 1 ] && [ -d "$unpack/$top" ] ||
      { echo "$debian_sources_name: $file has no single top folder" >&2; exit 1; }
    rm -rf "${src_dir:?}/$top"
    mv "$unpack/$top" "$src_dir/$top" && rmdir "$unpack" && rm -f "$tarball.part" &&
      echo "$top" >"$tarball.tree" || exit 1
  fi
  echo "$src_dir/$(cat "$tarball.tree")"
}

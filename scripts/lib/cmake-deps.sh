# Sourced by the dependency builds, after debian-sources.sh: the libraries built with
# CMake, as static libraries installed into one prefix. The caller sets deps_dir (build
# folders and logs), prefix, jobs, the configure command in the array cmake_configure
# (cmake with its toolchain options), and defines log.

# build_once <name> <command...>: runs the command unless <name> is in the prefix already
# (its stamp file), then leaves the stamp, so a rerun only builds what is missing.
build_once() {
  local name=$1
  shift
  [ ! -f "$prefix/.$name.stamp" ] || return 0
  log "$name"
  "$@"
  touch "$prefix/.$name.stamp"
}

# cmake_build <name> <source dir> <cmake options...>: configures with cmake_configure,
# builds and installs; the log is deps_dir/<name>.log, its end is shown on failure.
cmake_build() {
  local name=$1 source=$2
  shift 2
  local build=$deps_dir/build-$name
  local build_log=$deps_dir/$name.log
  rm -rf "$build"
  "${cmake_configure[@]}" -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -Wno-dev "$@" >"$build_log" 2>&1 &&
    cmake --build "$build" -j"$jobs" >>"$build_log" 2>&1 &&
    cmake --install "$build" >>"$build_log" 2>&1 ||
    { tail -n 30 "$build_log" >&2; exit 1; }
  rm -rf "$build"
}

# build_zlib <cc> <ar> <compiler flags...>: Debian's zlib source drops the Windows resource
# its CMake file names, so the library is compiled straight from its C files (the same set
# its Makefile archives), into prefix/lib/libz.a.
build_zlib() {
  local cc=$1 ar=$2
  shift 2
  local zlib_src zlib_build=$deps_dir/build-zlib
  zlib_src=$(fetch_source zlib)
  rm -rf "$zlib_build" && mkdir -p "$zlib_build" "$prefix/lib" "$prefix/include"
  printf '%s\n' adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast \
    inflate inftrees trees uncompr zutil |
    xargs -P "$jobs" -I{} "$cc" "$@" -DHAVE_UNISTD_H -DHAVE_STDARG_H -c "$zlib_src/{}.c" \
      -o "$zlib_build/{}.o" >>"$deps_dir/zlib.log" 2>&1 ||
    { tail -n 30 "$deps_dir/zlib.log" >&2; exit 1; }
  "$ar" rcs "$prefix/lib/libz.a" "$zlib_build"/*.o
  cp "$zlib_src/zlib.h" "$zlib_src/zconf.h" "$prefix/include/"
  rm -rf "$zlib_build"
}

# build_libpng <zlib library> <zlib include dir> [cmake options...]
build_libpng() {
  local source zlib_library=$1 zlib_include=$2
  shift 2
  source=$(fetch_source libpng1.6)
  cmake_build libpng "$source" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF \
    -DPNG_TESTS=OFF -DZLIB_LIBRARY="$zlib_library" -DZLIB_INCLUDE_DIR="$zlib_include" "$@"
}

# build_box2d <nm> [compiler flags...]: Box2D with its float maths (sinf, cosf, atan2f, expf)
# renamed to the framework's portable functions, which give the same bits on every
# platform where each C library rounds its own way; the programs link them from vela. The
# stamp's name is box2d-portable-math, so a prefix with a Box2D built before is redone.
# Checked with <nm>: none of the C library's versions may be left, nor the sincosf that
# GCC fuses a sinf and cosf of one angle into.
build_box2d() {
  local source nm=$1 archive=$prefix/lib/libbox2d.a leftover
  shift
  source=$(fetch_source box2d)
  cmake_build box2d "$source" -DBOX2D_BUILD_UNIT_TESTS=OFF -DBOX2D_BUILD_TESTBED=OFF \
    -DBOX2D_BUILD_DOCS=OFF \
    -DCMAKE_CXX_FLAGS="$* -include $root/framework/maths/portable_math_names.h -ffp-contract=off"
  "$nm" -u "$archive" >"$deps_dir/box2d-imports.txt"
  leftover=$(awk '$NF ~ /^_?(sinf|cosf|sincosf|atan2f|expf)$/ { print $NF }' "$deps_dir/box2d-imports.txt" | sort -u)
  if [ -n "$leftover" ] || ! grep -q vela_sinf "$deps_dir/box2d-imports.txt"; then
    echo "$debian_sources_name: $archive still calls the C library's maths:" $leftover >&2
    exit 1
  fi
}

# build_googletest [cmake options...]
build_googletest() {
  local source
  source=$(googletest_source)
  cmake_build googletest "$source" -Dgtest_disable_pthreads=ON -DINSTALL_GTEST=ON "$@"
}

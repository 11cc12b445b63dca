# VELA_SANITIZE: the whole tree with AddressSanitizer (LeakSanitizer included) and
# UndefinedBehaviorSanitizer; any report fails the program. VELA_FUZZ adds the coverage
# instrumentation that the libFuzzer targets in fuzz/ need (Clang only).
option(VELA_SANITIZE "Build with ASan, UBSan and LeakSanitizer" OFF)
option(VELA_FUZZ "Build the libFuzzer targets in fuzz/ (Clang; turns on VELA_SANITIZE)" OFF)

if(VELA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VELA_FUZZ needs Clang: -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(VELA_SANITIZE ON CACHE BOOL "" FORCE)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(VELA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  # Tests of a sanitizer tree run with these; see tests/sanitize.
  set(VELA_SANITIZE_ENVIRONMENT
    "ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitize/lsan.supp"
    "LD_PRELOAD=${CMAKE_BINARY_DIR}/lib/libvela_keep_loaded.so")
endif()

# zlib and libpng built with the same instrumentation (scripts/build-sanitize-deps.sh), so
# the fuzzers see inside the decoder and the sanitizers check it. Every target of the tree
# then links these static builds: the search results are forced, so a cache that found
# Debian's libraries before can't keep one of them (a header from one build and a library
# from the other, or two libpngs in one program).
set(VELA_SANITIZE_DEPS "" CACHE PATH
  "Prefix of the instrumented zlib and libpng (scripts/build-sanitize-deps.sh)")
if(VELA_SANITIZE_DEPS)
  if(NOT VELA_SANITIZE)
    message(FATAL_ERROR "VELA_SANITIZE_DEPS is for a sanitizer tree (VELA_SANITIZE or VELA_FUZZ)")
  endif()
  # One spelling of the prefix, the one the link lines and sanitize_deps compare.
  file(REAL_PATH "${VELA_SANITIZE_DEPS}" VELA_SANITIZE_DEPS_PREFIX)
  foreach(file lib/libz.a lib/libpng16.a include/zlib.h include/png.h include/pnglibconf.h)
    if(NOT EXISTS ${VELA_SANITIZE_DEPS_PREFIX}/${file})
      message(FATAL_ERROR
        "${VELA_SANITIZE_DEPS_PREFIX}/${file} missing: run scripts/build-sanitize-deps.sh")
    endif()
  endforeach()
  foreach(package_file ZLIB=libz PNG=libpng16)
    string(REGEX REPLACE "=.*" "" package ${package_file})
    string(REGEX REPLACE ".*=" "" file ${package_file})
    set(library ${VELA_SANITIZE_DEPS_PREFIX}/lib/${file}.a)
    set(${package}_LIBRARY ${library} CACHE FILEPATH "" FORCE)
    set(${package}_LIBRARY_RELEASE ${library} CACHE FILEPATH "" FORCE)
    set(${package}_LIBRARY_DEBUG ${package}_LIBRARY_DEBUG-NOTFOUND CACHE FILEPATH "" FORCE)
  endforeach()
  set(ZLIB_INCLUDE_DIR ${VELA_SANITIZE_DEPS_PREFIX}/include CACHE PATH "" FORCE)
  set(PNG_PNG_INCLUDE_DIR ${VELA_SANITIZE_DEPS_PREFIX}/include CACHE PATH "" FORCE)
endif()

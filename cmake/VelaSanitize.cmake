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
    "LD_PRELOAD=${CMAKE_BINARY_DIR}/lib/libvela_keep_loaded.so")
endif()

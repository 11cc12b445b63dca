# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVELA_WINDOWS_DEPS=<prefix> ...
# VELA_WINDOWS_DEPS is the prefix scripts/build-windows-deps.sh installs Box2D, libpng,
# zlib and GoogleTest into; it defaults to build/windows-deps/prefix of this checkout.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELA_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix thread model: the win32 one has no std::mutex or std::thread (GoogleTest
# needs them); with -static its winpthread is linked in, so no extra DLL.
set(CMAKE_C_COMPILER ${VELA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VELA_MINGW_TRIPLE}-windres)

if(NOT VELA_WINDOWS_DEPS)
  get_filename_component(VELA_WINDOWS_DEPS
    "${CMAKE_CURRENT_LIST_DIR}/../build/windows-deps/prefix" ABSOLUTE)
endif()
set(VELA_WINDOWS_DEPS "${VELA_WINDOWS_DEPS}" CACHE PATH "Prefix of the cross-built Windows dependencies")
# try_compile projects see the toolchain file again, without the cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELA_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${VELA_MINGW_TRIPLE} ${VELA_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static archives only: the executables must need no DLL beyond Windows' own. FindZLIB
# would take the import library libz.dll.a (zlib1.dll) before the archive.
set(ZLIB_LIBRARY /usr/${VELA_MINGW_TRIPLE}/lib/libz.a CACHE FILEPATH "Static mingw zlib")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Lets ctest in the cross tree run the executables under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/wine-run.sh")

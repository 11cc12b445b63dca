# Builds for the browser with Debian's Emscripten (WebAssembly + WebGL 2).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten-web.cmake -DVELA_WEB_DEPS=<prefix> ...
# VELA_WEB_DEPS is the prefix scripts/build-web-deps.sh installs zlib, libpng, Box2D and
# GoogleTest into; it defaults to build/web-deps/prefix of this checkout.
# Emscripten's JavaScript tools find their modules (acorn) there when node is not Debian's;
# the linker runs them at build time, when this environment is gone.
if(NOT DEFINED ENV{NODE_PATH})
  set(ENV{NODE_PATH} /usr/share/nodejs)
endif()
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=$ENV{NODE_PATH})
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=$ENV{NODE_PATH})
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

if(NOT VELA_WEB_DEPS)
  get_filename_component(VELA_WEB_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build/web-deps/prefix" ABSOLUTE)
endif()
set(VELA_WEB_DEPS "${VELA_WEB_DEPS}" CACHE PATH "Prefix of the Emscripten-built dependencies")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELA_WEB_DEPS)
list(APPEND CMAKE_FIND_ROOT_PATH ${VELA_WEB_DEPS})
set(ZLIB_LIBRARY ${VELA_WEB_DEPS}/lib/libz.a CACHE FILEPATH "Emscripten-built zlib")
set(ZLIB_INCLUDE_DIR ${VELA_WEB_DEPS}/include CACHE PATH "Emscripten-built zlib headers")

# Node 18 and later have fetch(), which this Emscripten's loader then uses for the .wasm
# file and fails on a plain path; without it the loader reads the file.
find_program(VELA_NODE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${VELA_NODE};--no-experimental-fetch" CACHE STRING "" FORCE)

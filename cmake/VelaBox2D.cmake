# Box2D as every tree builds it from Debian's source (scripts/lib/cmake-deps.sh,
# build_box2d): static, its sinf, cosf, atan2f and expf renamed to the framework's portable
# functions, so a world steps to the same bits on Linux, Windows and in the browser. Code
# that includes Box2D's headers gets the same renaming (b2_math.h computes rotations
# inline) and links vela after Box2D for the functions.
#
# The Linux tree takes it from VELA_LINUX_DEPS, built there at configure time when missing
# (scripts/build-linux-deps.sh); the sanitizer tree from its instrumented VELA_SANITIZE_DEPS.
# Debian's libbox2d calls glibc's own and is refused.
if(VELA_SANITIZE_DEPS)
  set(vela_box2d_prefix ${VELA_SANITIZE_DEPS_PREFIX})
elseif(NOT WIN32 AND NOT EMSCRIPTEN)
  set(VELA_LINUX_DEPS "${PROJECT_SOURCE_DIR}/build/linux-deps/prefix" CACHE PATH
    "Prefix of the Linux tree's Box2D (scripts/build-linux-deps.sh)")
  set(vela_box2d_prefix ${VELA_LINUX_DEPS})
  if(NOT EXISTS ${vela_box2d_prefix}/.box2d-portable-math.stamp)
    get_filename_component(deps_dir ${vela_box2d_prefix} DIRECTORY)
    message(STATUS "Building Box2D into ${vela_box2d_prefix}")
    execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/build-linux-deps.sh ${deps_dir}
      RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "scripts/build-linux-deps.sh ${deps_dir} failed")
    endif()
  endif()
endif()

if(vela_box2d_prefix)
  # A tree configured before it built its own Box2D remembers Debian's: look again.
  if(box2d_DIR AND NOT box2d_DIR MATCHES "^${vela_box2d_prefix}/")
    unset(box2d_DIR CACHE)
  endif()
  find_package(box2d REQUIRED CONFIG PATHS ${vela_box2d_prefix} NO_DEFAULT_PATH)
else()
  find_package(box2d REQUIRED CONFIG)
endif()
get_filename_component(vela_box2d_found_prefix "${box2d_DIR}/../../.." ABSOLUTE)
if(NOT EXISTS ${vela_box2d_found_prefix}/.box2d-portable-math.stamp)
  message(FATAL_ERROR "The Box2D in ${vela_box2d_found_prefix} calls the C library's float "
    "maths, which rounds differently on each platform: rebuild it with the tree's deps script")
endif()
target_compile_options(box2d::box2d INTERFACE
  "SHELL:-include ${PROJECT_SOURCE_DIR}/framework/maths/portable_math_names.h")
target_link_libraries(box2d::box2d INTERFACE vela)

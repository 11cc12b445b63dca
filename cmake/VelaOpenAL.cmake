# OpenAL for every tree, as one target: vela_openal_lib. Include it where it is needed;
# the target is global, so later includes find it made. Sources include <AL/al.h>,
# <AL/alc.h> (and <AL/alext.h> outside the browser).
#   Linux:   Debian's libopenal-dev (FindOpenAL's OpenAL::OpenAL), required.
#   Windows: the static OpenAL Soft that scripts/build-windows-deps.sh builds into
#            VELA_WINDOWS_DEPS, required.
#   Browser: Emscripten's own OpenAL on Web Audio (-lopenal).
include_guard(GLOBAL)

if(EMSCRIPTEN)
  add_library(OpenAL::OpenAL INTERFACE IMPORTED GLOBAL)
  set_target_properties(OpenAL::OpenAL PROPERTIES INTERFACE_LINK_LIBRARIES openal)
elseif(WIN32)
  find_library(VELA_WINDOWS_OPENAL_LIBRARY NAMES OpenAL32 openal
               PATHS ${VELA_WINDOWS_DEPS}/lib NO_DEFAULT_PATH)
  if(VELA_WINDOWS_OPENAL_LIBRARY AND EXISTS ${VELA_WINDOWS_DEPS}/include/AL/al.h)
    add_library(OpenAL::OpenAL STATIC IMPORTED GLOBAL)
    # The system libraries of the WinMM, DirectSound and WASAPI backends and of the
    # configuration lookup (AppData), and whatever else the library's own pkg-config file
    # names for a static link.
    set(libraries winmm ole32 shell32 uuid)
    if(EXISTS ${VELA_WINDOWS_DEPS}/lib/pkgconfig/openal.pc)
      file(STRINGS ${VELA_WINDOWS_DEPS}/lib/pkgconfig/openal.pc private REGEX "^Libs.private:")
      string(REGEX MATCHALL "-l[^ ]+" flags "${private}")
      foreach(flag IN LISTS flags)
        string(SUBSTRING ${flag} 2 -1 name)
        list(APPEND libraries ${name})
      endforeach()
      list(REMOVE_DUPLICATES libraries)
    endif()
    # AL_LIBTYPE_STATIC: the headers otherwise declare every function dllimport.
    set_target_properties(OpenAL::OpenAL PROPERTIES
      IMPORTED_LOCATION ${VELA_WINDOWS_OPENAL_LIBRARY}
      INTERFACE_INCLUDE_DIRECTORIES ${VELA_WINDOWS_DEPS}/include
      INTERFACE_COMPILE_DEFINITIONS AL_LIBTYPE_STATIC
      INTERFACE_LINK_LIBRARIES "${libraries}")
  else()
    message(FATAL_ERROR "OpenAL: no static OpenAL Soft in ${VELA_WINDOWS_DEPS}; "
                        "scripts/build-windows-deps.sh builds it")
  endif()
else()
  find_package(OpenAL REQUIRED)
  set_target_properties(OpenAL::OpenAL PROPERTIES IMPORTED_GLOBAL TRUE)
endif()

if(TARGET OpenAL::OpenAL)
  add_library(vela_openal_lib ALIAS OpenAL::OpenAL)
endif()

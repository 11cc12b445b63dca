# vela_add_gtest(<target> LABELS <label>... [ENVIRONMENT <VAR=value>...] [WORKING_DIRECTORY <dir>])
# Registers a GoogleTest executable with CTest. Native builds list every test case; a
# cross build (Windows under Wine) registers the executable as one test, since its test
# list can't be read at build time.
include(GoogleTest)

function(vela_add_gtest target)
  cmake_parse_arguments(ARG "" "WORKING_DIRECTORY" "LABELS;ENVIRONMENT" ${ARGN})
  if(NOT ARG_WORKING_DIRECTORY)
    set(ARG_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target} WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY})
    set_tests_properties(${target} PROPERTIES LABELS "${ARG_LABELS}")
    if(ARG_ENVIRONMENT)
      set_tests_properties(${target} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    endif()
  else()
    gtest_discover_tests(${target}
      WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY}
      PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "${ARG_ENVIRONMENT}"
      DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

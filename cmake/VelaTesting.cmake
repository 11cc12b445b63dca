# vela_add_gtest(<target> LABELS <label>... [ENVIRONMENT <VAR=value>...] [WORKING_DIRECTORY <dir>])
# Registers a GoogleTest executable with CTest. Native builds list every test case; a
# cross build (Windows under Wine) registers the executable as one test, since its test
# list can't be read at build time.
# vela_add_test(NAME <name> COMMAND <command>... LABELS <label>... [ENVIRONMENT <VAR=value>...])
# Registers any other test (another run of a test program, a script) the same way.
include(GoogleTest)

# In a sanitizer tree every test is also labelled `sanitize` and runs with its settings.
macro(vela_sanitize_test_settings labels environment)
  if(VELA_SANITIZE)
    list(APPEND ${labels} sanitize)
    list(APPEND ${environment} ${VELA_SANITIZE_ENVIRONMENT})
  endif()
endmacro()

function(vela_add_test)
  cmake_parse_arguments(ARG "" "NAME" "COMMAND;LABELS;ENVIRONMENT" ${ARGN})
  vela_sanitize_test_settings(ARG_LABELS ARG_ENVIRONMENT)
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_COMMAND})
  set_tests_properties(${ARG_NAME} PROPERTIES LABELS "${ARG_LABELS}")
  if(ARG_ENVIRONMENT)
    set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
endfunction()

function(vela_add_gtest target)
  cmake_parse_arguments(ARG "" "WORKING_DIRECTORY" "LABELS;ENVIRONMENT" ${ARGN})
  if(NOT ARG_WORKING_DIRECTORY)
    set(ARG_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  vela_sanitize_test_settings(ARG_LABELS ARG_ENVIRONMENT)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target} WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY})
    set_tests_properties(${target} PROPERTIES LABELS "${ARG_LABELS}")
    if(ARG_ENVIRONMENT)
      set_tests_properties(${target} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    endif()
  else()
    gtest_discover_tests(${target}
      WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY}
      TEST_LIST ${target}_TESTS
      DISCOVERY_TIMEOUT 60)
    # Discovery can't pass list-valued properties (several labels, several variables), so
    # they are set by a script that CTest reads after the discovered test list.
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_properties.cmake)
    file(WRITE ${script}
      "foreach(test IN LISTS ${target}_TESTS)\n"
      "  set_tests_properties(\"\${test}\" PROPERTIES LABELS \"${ARG_LABELS}\")\n")
    if(ARG_ENVIRONMENT)
      file(APPEND ${script}
        "  set_tests_properties(\"\${test}\" PROPERTIES ENVIRONMENT \"${ARG_ENVIRONMENT}\")\n")
    endif()
    file(APPEND ${script} "endforeach()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
  endif()
endfunction()

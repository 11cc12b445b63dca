# vela_add_web_page(<target> TITLE <title> [DATA <dir>])
# Makes a browser program a page: <target>.js and .wasm beside an index.html that runs it
# on a canvas scaled to the window, with <dir> (if given) packed as the root of the page's
# file system (<target>.data). Any static web host can serve the folder.
function(vela_add_web_page target)
  cmake_parse_arguments(ARG "" "TITLE;DATA" "" ${ARGN})
  set(VELA_PAGE_TITLE ${ARG_TITLE})
  set(VELA_PAGE_SCRIPT ${target}.js)
  set(VELA_PAGE_WIDTH 960)
  set(VELA_PAGE_HEIGHT 544)
  get_target_property(dir ${target} BINARY_DIR)
  configure_file(${PROJECT_SOURCE_DIR}/platform/web/page.html.in ${dir}/index.html @ONLY)
  if(ARG_DATA)
    target_link_options(${target} PRIVATE "SHELL:--preload-file ${ARG_DATA}@/")
    file(GLOB_RECURSE data_files CONFIGURE_DEPENDS ${ARG_DATA}/*)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${data_files})
  endif()
endfunction()

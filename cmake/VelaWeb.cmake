# vela_add_web_page(<target> TITLE <title> [DATA <dir> [DATA_EXCLUDE <path>...]]
#                   [MANIFEST <file> ICONS <file>... [APPLE_TOUCH_ICON <file>]])
# Makes a browser program a page: <target>.js and .wasm beside an index.html that runs it
# on a canvas scaled to the window, with <dir> (if given) packed as the root of the page's
# file system (<target>.data), less the files and folders under DATA_EXCLUDE. Any static
# web host can serve the folder.
# With MANIFEST the page can be installed and played offline: the web app manifest and the
# icons it names (by file name) go beside index.html, the page links them and registers
# service-worker.js, which keeps every file of the page in the browser's cache under a name
# made from their contents. page-files.txt lists the files a host serves.
set(VELA_WEB_WORKER_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/VelaWebWorker.cmake)

function(vela_add_web_page target)
  cmake_parse_arguments(ARG "" "TITLE;DATA;MANIFEST;APPLE_TOUCH_ICON" "DATA_EXCLUDE;ICONS"
                        ${ARGN})
  set(VELA_PAGE_TITLE ${ARG_TITLE})
  set(VELA_PAGE_SCRIPT ${target}.js)
  set(VELA_PAGE_WIDTH 960)
  set(VELA_PAGE_HEIGHT 544)
  set(VELA_PAGE_HEAD "")
  set(VELA_PAGE_WORKER "")
  get_target_property(dir ${target} BINARY_DIR)
  set(files index.html ${target}.js ${target}.wasm)
  if(ARG_DATA)
    target_link_options(${target} PRIVATE "SHELL:--preload-file ${ARG_DATA}@/")
    foreach(path ${ARG_DATA_EXCLUDE})
      target_link_options(${target} PRIVATE "SHELL:--exclude-file ${path}")
    endforeach()
    file(GLOB_RECURSE data_files CONFIGURE_DEPENDS ${ARG_DATA}/*)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${data_files})
    list(APPEND files ${target}.data)
  endif()
  if(ARG_MANIFEST)
    get_filename_component(manifest ${ARG_MANIFEST} NAME)
    file(READ ${ARG_MANIFEST} manifest_text)
    string(JSON theme ERROR_VARIABLE no_theme GET "${manifest_text}" theme_color)
    if(no_theme)
      message(FATAL_ERROR "${ARG_MANIFEST}: no theme_color: ${no_theme}")
    endif()
    string(APPEND VELA_PAGE_HEAD "<link rel=\"manifest\" href=\"${manifest}\">\n"
           "<meta name=\"theme-color\" content=\"${theme}\">\n")
    set(copies ${ARG_MANIFEST} ${ARG_ICONS})
    if(ARG_APPLE_TOUCH_ICON)
      get_filename_component(name ${ARG_APPLE_TOUCH_ICON} NAME)
      # Safari takes its home screen icon from here, not from the manifest.
      string(APPEND VELA_PAGE_HEAD "<link rel=\"apple-touch-icon\" href=\"${name}\">\n")
      list(APPEND copies ${ARG_APPLE_TOUCH_ICON})
    endif()
    set(copied ${dir}/index.html)
    foreach(file ${copies})
      get_filename_component(name ${file} NAME)
      configure_file(${file} ${dir}/${name} COPYONLY)
      list(APPEND files ${name})
      list(APPEND copied ${dir}/${name})
    endforeach()
    set(VELA_PAGE_WORKER service-worker.js)
    # After every link: the worker's cache is named after the program's and the data's
    # bytes, which only exist then.
    string(REPLACE ";" "," file_list "${files}")
    set(template ${PROJECT_SOURCE_DIR}/platform/web/service_worker.js.in)
    add_custom_command(OUTPUT ${dir}/${VELA_PAGE_WORKER} ${dir}/page-files.txt
      COMMAND ${CMAKE_COMMAND} -DDIR=${dir} -DFILES=${file_list} -DTEMPLATE=${template}
              -DWORKER=${VELA_PAGE_WORKER} -P ${VELA_WEB_WORKER_SCRIPT}
      DEPENDS ${target} ${template} ${VELA_WEB_WORKER_SCRIPT} ${copied}
      COMMENT "The offline page's service worker for ${target}" VERBATIM)
    add_custom_target(${target}_worker ALL DEPENDS ${dir}/${VELA_PAGE_WORKER})
    # Also after a build of the program alone (--target): a worker left with the old hashes
    # would never install, and the page would quietly stop playing offline.
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -DDIR=${dir} -DFILES=${file_list} -DTEMPLATE=${template}
              -DWORKER=${VELA_PAGE_WORKER} -P ${VELA_WEB_WORKER_SCRIPT}
      VERBATIM)
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/platform/web/page.html.in ${dir}/index.html @ONLY)
endfunction()

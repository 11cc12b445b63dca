# cmake -DDIR=<page folder> -DFILES=<name>,<name>,... -DTEMPLATE=<service_worker.js.in>
#       -DWORKER=<worker's file name> -P VelaWebWorker.cmake
# Writes the page's service worker: every file it keeps with its SHA-256, and a version
# made from all of them, so that any change to any file is a new cache. page-files.txt
# beside it lists what a host serves: those files and the worker.
foreach(var DIR FILES TEMPLATE WORKER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "VelaWebWorker.cmake: -D${var}=... is missing")
  endif()
endforeach()
string(REPLACE "," ";" files "${FILES}")
set(entries "")
set(all "")
foreach(name ${files})
  if(NOT EXISTS ${DIR}/${name})
    message(FATAL_ERROR "VelaWebWorker.cmake: ${DIR}/${name} is missing")
  endif()
  file(SHA256 ${DIR}/${name} hash)
  string(APPEND entries "  \"${name}\": \"${hash}\",\n")
  string(APPEND all "${name} ${hash}\n")
endforeach()
string(SHA256 version "${all}")
string(SUBSTRING ${version} 0 16 VELA_PAGE_VERSION)
set(VELA_PAGE_FILES "${entries}")
configure_file(${TEMPLATE} ${DIR}/${WORKER} @ONLY)
# Newer than what it was made from even when its text is the same, so the build is done.
file(TOUCH ${DIR}/${WORKER})
string(REPLACE ";" "\n" listed "${files};${WORKER}")
file(WRITE ${DIR}/page-files.txt "${listed}\n")

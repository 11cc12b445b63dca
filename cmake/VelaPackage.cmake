# Headers under one folder, vela/<dir>, the same inside the build tree and in an install:
# the build tree's include/vela/<dir> entries are links to the source folders, and
# `cmake --install` copies the headers to <prefix>/include/vela/<dir>. Libraries join the
# export set that the installed package config (vela::<name>) is made from.
include(GNUInstallDirs)

set(VELA_INCLUDE_ROOT ${PROJECT_BINARY_DIR}/include)
set(VELA_CMAKE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/vela)

# vela_add_header_folder(<target> <name> <source dir>)
# Makes <source dir> the folder vela/<name> for <target> and its users, and installs
# its headers there.
function(vela_add_header_folder target name source_dir)
  file(MAKE_DIRECTORY ${VELA_INCLUDE_ROOT}/vela)
  file(CREATE_LINK ${source_dir} ${VELA_INCLUDE_ROOT}/vela/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${VELA_INCLUDE_ROOT}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  install(DIRECTORY ${source_dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vela/${name}
          COMPONENT Development FILES_MATCHING PATTERN "*.h")
endfunction()

# vela_export_library(<target> <export name> [PACKAGES <find_package name>...]
#                     [PC_REQUIRES <pkg-config module>...])
# Installs the library as vela::<export name>; PACKAGES are found again by the package
# config (epoxy through pkg-config), PC_REQUIRES go into its pkg-config file.
function(vela_export_library target export_name)
  cmake_parse_arguments(ARG "" "" "PACKAGES;PC_REQUIRES" ${ARGN})
  set_property(GLOBAL APPEND PROPERTY VELA_PACKAGE_DEPENDENCIES ${ARG_PACKAGES})
  string(REPLACE ";" " " requires "${ARG_PC_REQUIRES}")
  set_property(GLOBAL PROPERTY VELA_PC_REQUIRES_${export_name} "${requires}")
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${export_name})
  add_library(vela::${export_name} ALIAS ${target})
  install(TARGETS ${target} EXPORT velaTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
  set_property(GLOBAL APPEND PROPERTY VELA_EXPORTED_LIBRARIES ${export_name})
endfunction()

# The package config and pkg-config files, once every library has been exported.
function(vela_install_package)
  include(CMakePackageConfigHelpers)
  get_property(libraries GLOBAL PROPERTY VELA_EXPORTED_LIBRARIES)
  install(EXPORT velaTargets NAMESPACE vela:: DESTINATION ${VELA_CMAKE_INSTALL_DIR}
          FILE velaTargets.cmake COMPONENT Development)
  set(VELA_PACKAGE_LIBRARIES ${libraries})
  get_property(VELA_PACKAGE_DEPENDENCIES GLOBAL PROPERTY VELA_PACKAGE_DEPENDENCIES)
  list(REMOVE_DUPLICATES VELA_PACKAGE_DEPENDENCIES)
  # The game's bitmap font, for programs that want text before drawing a font of their own.
  set(VELA_FONT_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/vela/fonts)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/comic_sans.fnt
                ${PROJECT_SOURCE_DIR}/assets/comic_sans_0.png
                ${PROJECT_SOURCE_DIR}/assets/comic_sans_LICENSE.txt
          DESTINATION ${VELA_FONT_INSTALL_DIR} COMPONENT Development)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/velaConfig.cmake.in
    ${PROJECT_BINARY_DIR}/package/velaConfig.cmake INSTALL_DESTINATION ${VELA_CMAKE_INSTALL_DIR}
    PATH_VARS VELA_FONT_INSTALL_DIR)
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/velaConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/package/velaConfig.cmake
                ${PROJECT_BINARY_DIR}/package/velaConfigVersion.cmake
          DESTINATION ${VELA_CMAKE_INSTALL_DIR} COMPONENT Development)

  # pkg-config: vela (the portable core) and one file per platform library.
  # Relocatable: the prefix is found from where the .pc file lies.
  file(RELATIVE_PATH VELA_PC_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
  string(REGEX REPLACE "/$" "" VELA_PC_PREFIX "${VELA_PC_PREFIX}")
  foreach(library IN LISTS libraries)
    get_property(VELA_PC_REQUIRES GLOBAL PROPERTY VELA_PC_REQUIRES_${library})
    if(library STREQUAL "vela")
      set(VELA_PC_NAME vela)
      set(VELA_PC_DESCRIPTION "vela game framework: the portable core")
      set(VELA_PC_LIB vela)
    else()
      set(VELA_PC_NAME vela-${library})
      set(VELA_PC_DESCRIPTION "vela game framework: the ${library} platform library")
      set(VELA_PC_LIB vela_${library})
    endif()
    get_property(VELA_PC_LIBS_EXTRA GLOBAL PROPERTY VELA_PC_LIBS_${library})
    configure_file(${PROJECT_SOURCE_DIR}/cmake/vela.pc.in
                   ${PROJECT_BINARY_DIR}/package/${VELA_PC_NAME}.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/package/${VELA_PC_NAME}.pc
            DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)
  endforeach()
endfunction()

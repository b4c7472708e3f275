# What `cmake --install` puts into the prefix: the two libraries with their SONAME, the headers,
# a pkg-config file per library, the CMake package Xerv (Xerv::xerv3com, Xerv::xerv1), the
# virtual reader xerv-sim and, where Qt built it, xervtool with its data, desktop entry, icons
# and AppStream metainfo; the manual pages of both programs.
#
# Every rule names a component, one per Debian package (cmake/packaging.cmake):
#   xerv3com, xerv1   the runtime libraries (the versioned files and their SONAME links)
#   dev               headers, unversioned .so links, pkg-config files, the CMake package and
#                     the reference pages
#   sim               xerv-sim and its manual page
#   xervtool          xervtool, its data files, desktop entry, icons, metainfo and manual page
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

foreach(lib IN ITEMS xerv3com xerv1)
  install(TARGETS ${lib} EXPORT XervTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${lib} NAMELINK_COMPONENT dev)
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/xerv DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  COMPONENT dev)
install(TARGETS xerv-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT sim)
install(EXPORT XervTargets NAMESPACE Xerv:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Xerv
  COMPONENT dev)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/XervConfig.cmake.in
  ${PROJECT_BINARY_DIR}/XervConfig.cmake INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Xerv)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/XervConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/XervConfig.cmake ${PROJECT_BINARY_DIR}/XervConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Xerv COMPONENT dev)

# The pkg-config files find the prefix from where they lie, so any --prefix works.
file(RELATIVE_PATH PC_TO_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
string(REGEX REPLACE "/$" "" PC_TO_PREFIX "${PC_TO_PREFIX}")
foreach(PC_NAME IN ITEMS xerv3com xerv1)
  if(PC_NAME STREQUAL "xerv3com")
    set(PC_DESCRIPTION "KVX reader library, XERV3 protocol")
  else()
    set(PC_DESCRIPTION "KVX reader library, XERV1 protocol")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/xerv.pc.in ${PROJECT_BINARY_DIR}/${PC_NAME}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${PC_NAME}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
    COMPONENT dev)
endforeach()

# The reference pages of the exports go with the headers.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/reference/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/libxerv-dev/reference COMPONENT dev
  FILES_MATCHING PATTERN "*.md")

# Manual pages, compressed at build time the way Debian ships them (gzip -9n: no name, no time
# stamp, so the same page gives the same bytes).
find_program(XERV_GZIP gzip REQUIRED)
set(man_pages xerv-sim)
if(TARGET xervtool)
  list(APPEND man_pages xervtool)
endif()
set(man_outputs "")
foreach(page IN LISTS man_pages)
  set(out ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${XERV_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/docs/man/${page}.1 > ${out}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}.1 VERBATIM)
  list(APPEND man_outputs ${out})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_outputs})
install(FILES ${PROJECT_BINARY_DIR}/man/xerv-sim.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
  COMPONENT sim)

if(TARGET xervtool)
  # The tool finds its data in <bin>/../share/xervtool, so an unpacked tree works as well.
  get_directory_property(XERVTOOL_DATA_FILES DIRECTORY ${PROJECT_SOURCE_DIR}/tool
    DEFINITION XERVTOOL_DATA_FILES)
  set(tool_data ${PROJECT_SOURCE_DIR}/tool/data)
  list(TRANSFORM XERVTOOL_DATA_FILES PREPEND ${tool_data}/)
  install(TARGETS xervtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT xervtool)
  install(FILES ${XERVTOOL_DATA_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/xervtool
    COMPONENT xervtool)
  install(FILES ${tool_data}/xervtool.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
    COMPONENT xervtool)
  # AppStream looks the metainfo up by its component id.
  install(FILES ${tool_data}/xervtool.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
    RENAME com.example.xervtool.metainfo.xml COMPONENT xervtool)
  install(FILES ${tool_data}/xervtool.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT xervtool)
  install(DIRECTORY ${tool_data}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
    COMPONENT xervtool FILES_MATCHING PATTERN "*.png")
  install(FILES ${PROJECT_BINARY_DIR}/man/xervtool.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
    COMPONENT xervtool)
endif()

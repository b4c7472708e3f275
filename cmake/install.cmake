# What `cmake --install` puts into the prefix: the two libraries with their SONAME, the headers,
# a pkg-config file per library, the CMake package Xerv (Xerv::xerv3com, Xerv::xerv1) and the
# virtual reader xerv-sim.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS xerv3com xerv1 EXPORT XervTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/xerv DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS xerv-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(EXPORT XervTargets NAMESPACE Xerv:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Xerv)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/XervConfig.cmake.in
  ${PROJECT_BINARY_DIR}/XervConfig.cmake INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Xerv)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/XervConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/XervConfig.cmake ${PROJECT_BINARY_DIR}/XervConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Xerv)

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
  install(FILES ${PROJECT_BINARY_DIR}/${PC_NAME}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()

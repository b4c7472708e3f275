# Debian packages, one per install component (cmake/install.cmake), built by `cpack -G DEB` from a
# release build configured with -DCMAKE_INSTALL_PREFIX=/usr (so the libraries go into the
# multiarch folder and xervtool knows /usr/share/xervtool):
#   libxerv3com1, libxerv1-1   the runtime libraries, named after their SONAMEs
#   libxerv-dev                headers, .so links, pkg-config files, CMake package, reference pages
#   xerv-sim                   the virtual reader
#   xervtool                   the setup tool and its data (where Qt built it)
include(GNUInstallDirs)

if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(STATUS "Debian packages want -DCMAKE_INSTALL_PREFIX=/usr (now ${CMAKE_INSTALL_PREFIX})")
endif()

set(XERV_MAINTAINER "KVX reader software team <kvx-team@example.com>")
set(XERV_DEB_RELEASE 1)
set(XERV_DEB_VERSION ${PROJECT_VERSION}-${XERV_DEB_RELEASE})
# The date of this version, for the Debian changelog (fixed, so that the packages are the same
# from one build to the next).
set(XERV_RELEASE_DATE "Wed, 01 Jan 2025 00:00:00 +0000")

set(pkg_xerv3com libxerv3com1)
set(pkg_xerv1 libxerv1-1)
set(pkg_dev libxerv-dev)
set(pkg_sim xerv-sim)
set(pkg_xervtool xervtool)
set(components xerv3com xerv1 dev sim)
if(TARGET xervtool)
  list(APPEND components xervtool)
endif()

# Every package carries /usr/share/doc/<package>/copyright and changelog.Debian.gz.
set(doc_build ${PROJECT_BINARY_DIR}/debian-doc)
file(MAKE_DIRECTORY ${doc_build})
find_program(XERV_GZIP gzip REQUIRED)
foreach(comp IN LISTS components)
  set(pkg ${pkg_${comp}})
  file(WRITE ${doc_build}/${pkg}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: xerv
Upstream-Contact: ${XERV_MAINTAINER}

Files: *
Copyright: 2025 KVX reader software team
License: proprietary
 All rights reserved. Distributed to users of KVX card reader/writers under the
 terms of their purchase agreement.
")
  file(WRITE ${doc_build}/${pkg}/changelog.Debian
"${pkg} (${XERV_DEB_VERSION}) unstable; urgency=medium

  * Version ${PROJECT_VERSION}.

 -- ${XERV_MAINTAINER}  ${XERV_RELEASE_DATE}
")
  execute_process(COMMAND ${XERV_GZIP} -9n -c ${doc_build}/${pkg}/changelog.Debian
    OUTPUT_FILE ${doc_build}/${pkg}/changelog.Debian.gz COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${doc_build}/${pkg}/copyright ${doc_build}/${pkg}/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${pkg} COMPONENT ${comp})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME xerv)
set(CPACK_PACKAGE_VENDOR "KVX reader software team")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${XERV_MAINTAINER})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL ${components})
set(CPACK_DEB_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${XERV_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${XERV_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The library packages let dpkg run ldconfig once at the end (a trigger) rather than from their
# own scripts.
foreach(comp IN ITEMS xerv3com xerv1)
  string(TOUPPER ${comp} COMP)
  set(control ${PROJECT_BINARY_DIR}/debian-control/${pkg_${comp}})
  file(WRITE ${control}/triggers "activate-noawait ldconfig\n")
  set(CPACK_DEBIAN_${COMP}_PACKAGE_CONTROL_EXTRA ${control}/triggers)
endforeach()

set(both_libraries "${pkg_xerv3com} (= ${XERV_DEB_VERSION}), ${pkg_xerv1} (= ${XERV_DEB_VERSION})")

set(CPACK_DEBIAN_XERV3COM_PACKAGE_NAME ${pkg_xerv3com})
set(CPACK_DEBIAN_XERV3COM_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_XERV3COM_DESCRIPTION "KVX card reader/writer library, XERV3 protocol
libxerv3com drives KVX motorised card reader/writers on an RS-232C line with
the XERV3 protocol (two-letter commands, magnetic and IC cards, EEPROM, event
and error reports). Its flat C functions frame each command, wait for and check
the reader's answer, retry on NAK, time out, and keep the reader's unsolicited
reports until the host program asks for them.")

set(CPACK_DEBIAN_XERV1_PACKAGE_NAME ${pkg_xerv1})
set(CPACK_DEBIAN_XERV1_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_XERV1_DESCRIPTION "KVX card reader/writer library, XERV1 protocol
libxerv1 drives KVX motorised card reader/writers on an RS-232C line with the
older XERV1 protocol (one-character commands). It exports the same C functions
as libxerv3com, so a host program chooses the protocol by the library it links.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME ${pkg_dev})
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS ${both_libraries})
set(CPACK_DEBIAN_DEV_DESCRIPTION "KVX card reader/writer libraries, development files
The C headers of libxerv3com (XERV3 protocol) and libxerv1 (XERV1 protocol),
the links to link against them, pkg-config files (xerv3com, xerv1), the CMake
package Xerv (Xerv::xerv3com, Xerv::xerv1) and the reference pages of every
export in /usr/share/doc/libxerv-dev/reference.")

set(CPACK_DEBIAN_SIM_PACKAGE_NAME ${pkg_sim})
set(CPACK_DEBIAN_SIM_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_SIM_DESCRIPTION "virtual KVX card reader on a pseudo-terminal
xerv-sim answers like a KVX card reader/writer of the XERV3 or XERV1 protocol
on a pseudo-terminal linked as COM<n> into a port folder. It keeps its
settings, EEPROM and an IC card, presents cards on command, and injects faults,
so host programs and the setup tool run without hardware.")

set(CPACK_DEBIAN_XERVTOOL_PACKAGE_NAME ${pkg_xervtool})
set(CPACK_DEBIAN_XERVTOOL_PACKAGE_SECTION utils)
# The tool loads both libraries at run time, so shlibdeps cannot see them.
set(CPACK_DEBIAN_XERVTOOL_PACKAGE_DEPENDS ${both_libraries})
set(CPACK_DEBIAN_XERVTOOL_DESCRIPTION "setup and test tool for KVX card reader/writers
xervtool is a Qt window that sends every command of the KVX device libraries
(XERV3 and XERV1 protocols) from forms, shows the reader's answers and reports,
and reads and writes the reader's settings and EEPROM. Its texts, explanation
tree and manual are in English or Japanese.")

include(CPack)

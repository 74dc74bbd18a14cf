# The Debian package of the program (scripts/package): what `cmake --install` places, with
# the manual pages and the Debian documentation files, packed by CPack.
include(GNUInstallDirs)

# Manual pages and the changelog are installed compressed, as Debian wants them.
set(TORVEX_DOC_DIR ${CMAKE_CURRENT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${TORVEX_DOC_DIR})
find_program(GZIP gzip REQUIRED)
set(VERSION ${PROJECT_VERSION})
set(DEBIAN_VERSION ${PROJECT_VERSION}-1)
set(compressed "")
foreach(page torvex.1 torvex-run.1)
  configure_file(${PROJECT_SOURCE_DIR}/resources/man/${page} ${TORVEX_DOC_DIR}/${page} @ONLY)
  list(APPEND compressed ${TORVEX_DOC_DIR}/${page}.gz)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog
               ${TORVEX_DOC_DIR}/changelog.Debian @ONLY)
list(APPEND compressed ${TORVEX_DOC_DIR}/changelog.Debian.gz)
foreach(file IN LISTS compressed)
  string(REGEX REPLACE "\\.gz$" "" plain ${file})
  add_custom_command(OUTPUT ${file}
    COMMAND ${GZIP} -9 -n -c ${plain} > ${file}
    DEPENDS ${plain} VERBATIM)
endforeach()
add_custom_target(torvex_docs ALL DEPENDS ${compressed})

install(FILES ${TORVEX_DOC_DIR}/torvex.1.gz ${TORVEX_DOC_DIR}/torvex-run.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TORVEX_DOC_DIR}/changelog.Debian.gz ${PROJECT_SOURCE_DIR}/resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/torvex)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_VENDOR Quendale)
set(CPACK_PACKAGE_CONTACT "Quendale <torvex@quendale.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trainer for PLC ladder logic")
# The extended description; CPack puts the summary above it and indents every line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "TORVEX lets students draw ladder diagrams - contacts, coils,
latches, resets, timers, counters and bit-shift registers - and runs
them as a PLC would, with the power flow shown live, a debugger that
forces inputs, single scan and single rung stepping, animated plant
simulations and external I/O.
.
torvex-run checks a diagram against a scenario without windows, so a
teacher can grade a whole class from the command line.")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quendale.example/torvex")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian's triggers refresh the desktop, MIME and icon databases for the files this
# package installs, so it carries no maintainer scripts of its own.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

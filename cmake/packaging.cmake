# Installation as a desktop program (bin/, share/orvex, menu entry, icon, metainfo, man
# pages) and its Debian package. scripts/package.sh builds the package.

install(TARGETS orvex orvex-cli orvex-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY data/ DESTINATION ${ORVEX_DATA_INSTALL_DIR}
        PATTERN "textos-src" EXCLUDE PATTERN ".gitattributes" EXCLUDE PATTERN ".keep" EXCLUDE)

if(UNIX)
  install(FILES dist/${ORVEX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES dist/${ORVEX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES dist/${ORVEX_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # Drawn on the pixel grid for the sizes where the scaled picture is a blur (menus, panels).
  foreach(size 16x16 24x24)
    install(FILES dist/icons/${size}/${ORVEX_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
  endforeach()
  install(FILES dist/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

  # Man pages and the changelog go compressed, as Debian has them (-n: no time stamp inside).
  set(gzipped)
  foreach(pair "man/orvex.1" "man/orvex-cli.1" "man/orvex-sim.1" "debian/changelog")
    get_filename_component(name ${pair} NAME)
    set(out ${CMAKE_BINARY_DIR}/dist/${name}.gz)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
      COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/dist/${pair} > ${out}
      DEPENDS ${PROJECT_SOURCE_DIR}/dist/${pair})
    list(APPEND gzipped ${out})
  endforeach()
  add_custom_target(orvex_dist_docs ALL DEPENDS ${gzipped})
  list(POP_BACK gzipped changelog)
  install(FILES ${gzipped} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

# The package's version is the latest entry of its changelog, as in any Debian package: a
# packager's release (a corrected text, say) changes the changelog, not the program's version.
file(STRINGS dist/debian/changelog changelog_top LIMIT_COUNT 1)
string(REGEX MATCH "^orvex \\(([^)]+)\\)" changelog_top "${changelog_top}")
set(CPACK_PACKAGE_VERSION "${CMAKE_MATCH_1}")
if(NOT CPACK_PACKAGE_VERSION MATCHES "^${PROJECT_VERSION}([.+~-]|$)")
  message(FATAL_ERROR
          "dist/debian/changelog: version '${CPACK_PACKAGE_VERSION}' is not of ${PROJECT_VERSION}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvex)
set(CPACK_PACKAGE_VENDOR "ORVEX tool developers")
set(CPACK_PACKAGE_CONTACT "ORVEX tool developers <orvex-tool@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for ORVEX generator-set controllers")
# The lines after the synopsis, each under 80 characters.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "\
The desktop tool installers use to configure the ORVEX and ORVEX-LT
controllers: it reads the controller's configuration over a serial line
(Modbus RTU), shows it in a tabbed editor, writes it back with read-back
verification, keeps configurations as files and writes a printable report,
in five languages.
.
orvex-cli does the same transfers from the command line, on several
controllers at once; orvex-sim simulates a controller on a pseudo-terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The libraries the programs link, found by dpkg-shlibdeps; and what they load at run time,
# which it cannot see: Qt's own texts in the five languages, the SVG engine of the icon.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, libqt6svg6")
include(CPack)

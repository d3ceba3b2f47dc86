# What `cmake --install` puts where, following the GNU install folders, and the Debian package
# that CPack builds from the same rules (scripts/package).
include(GNUInstallDirs)

# Folders made by the installation are readable by everyone, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(_desktop "${PROJECT_SOURCE_DIR}/src/resources/desktop")

install(TARGETS plantrek plantrek-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${_desktop}/plantrek.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${_desktop}/plantrek.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
install(FILES "${_desktop}/plantrek.thumbnailer" DESTINATION "${CMAKE_INSTALL_DATADIR}/thumbnailers")
install(FILES "${_desktop}/plantrek.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${_desktop}/application-x-plantrek-site.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes")

# The manual pages carry the project's version; they and the change log are installed
# compressed, as Debian expects; gzip -n keeps the package reproducible.
find_program(PLANTREK_GZIP gzip)
set(_man_outputs)
foreach(page plantrek.1 plantrek-cli.1)
  configure_file("${PROJECT_SOURCE_DIR}/docs/man/${page}" "${PROJECT_BINARY_DIR}/man/${page}" @ONLY)
  if(PLANTREK_GZIP)
    add_custom_command(OUTPUT "${PROJECT_BINARY_DIR}/man/${page}.gz"
                       COMMAND "${PLANTREK_GZIP}" -9nc "${page}" > "${page}.gz"
                       DEPENDS "${PROJECT_BINARY_DIR}/man/${page}"
                       WORKING_DIRECTORY "${PROJECT_BINARY_DIR}/man" VERBATIM)
    list(APPEND _man_outputs "${PROJECT_BINARY_DIR}/man/${page}.gz")
  else()
    list(APPEND _man_outputs "${PROJECT_BINARY_DIR}/man/${page}")
  endif()
endforeach()
set(_changelog "${PROJECT_SOURCE_DIR}/docs/changelog")
if(PLANTREK_GZIP)
  add_custom_command(OUTPUT "${PROJECT_BINARY_DIR}/man/changelog.gz"
                     COMMAND "${PLANTREK_GZIP}" -9nc "${_changelog}" > changelog.gz
                     DEPENDS "${_changelog}"
                     WORKING_DIRECTORY "${PROJECT_BINARY_DIR}/man" VERBATIM)
  set(_changelog "${PROJECT_BINARY_DIR}/man/changelog.gz")
endif()
add_custom_target(plantrek_man_pages ALL DEPENDS ${_man_outputs} ${_changelog})
install(FILES ${_man_outputs} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${PROJECT_SOURCE_DIR}/docs/manual.md" "${PROJECT_SOURCE_DIR}/docs/copyright"
              "${PROJECT_SOURCE_DIR}/LICENSE"
              ${_changelog}
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/plantrek")

# The Debian package.
set(PLANTREK_MAINTAINER "Plantrek developers <plantrek@plantrek.invalid>"
    CACHE STRING "The Maintainer line of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plantrek)
set(CPACK_PACKAGE_VENDOR "Plantrek developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${PLANTREK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "measure buildings and draw their floor plans")
set(CPACK_PACKAGE_DESCRIPTION
    "Plantrek records every room of a building as a chain of measured walls, typed\n"
    "on an input line or keypad or sent by a Disto laser distance meter over a\n"
    "Bluetooth serial port, and closes each room into an outline with its area and\n"
    "perimeter. Rooms carry names, materials and spoken notes. Sites are saved in\n"
    "their own file type (.tcd) and exported as DXF drawings, BMP, GIF or JPEG\n"
    "pictures and room summaries in XLS, CSV or tab-delimited text.\n"
    "\n"
    "The package holds the desktop program plantrek and the command-line tool\n"
    "plantrek-cli, which runs scripts of walls and commands on a site without a\n"
    "window.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The icons are SVG, drawn by Qt's SVG image plugin, which no binary links to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

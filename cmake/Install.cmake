# What `cmake --install` places, after the GNU layout, and the Debian package CPack makes of it
# (scripts/package.sh).
#
#   bin/brenvik
#   share/brenvik/                 every file of data/ but the examples (zoru.dat and zordrw.dat
#                                  there are the seeds of a user's data folder), the sketch pictures
#   share/doc/brenvik/examples/    every file of data/examples/
#   share/applications/, share/mime/packages/, share/metainfo/, share/icons/hicolor/
#   share/man/man1/brenvik.1.gz    from the program's own --help, by help2man
#
# data/ and data/examples/ are taken whole: a side file or an example added there is installed
# without a change here.
include(GNUInstallDirs)

set(BRENVIK_APP_ID org.brenvik.Brenvik)
set(BRENVIK_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/brenvik)

install(TARGETS brenvik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Hidden files (the folder's .keep) are no side files.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${BRENVIK_SHARE_DIR}
  PATTERN examples EXCLUDE PATTERN ".*" EXCLUDE)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/examples/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brenvik/examples PATTERN ".*" EXCLUDE)
install(FILES ${BRENVIK_SKETCH_BITMAPS} DESTINATION ${BRENVIK_SHARE_DIR})

# The program finds the shared folder from its own: ../share/brenvik from bin/.
file(RELATIVE_PATH brenvik_share_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
  ${CMAKE_INSTALL_FULL_DATADIR}/brenvik)
set_source_files_properties(${PROJECT_SOURCE_DIR}/src/core/datafolders.cpp DIRECTORY ${PROJECT_SOURCE_DIR}/src/core
  PROPERTIES COMPILE_DEFINITIONS BRENVIK_SHARE_FROM_BIN="${brenvik_share_from_bin}")

# The desktop: menu entry, the .wrp type, icons and the software centre's description.
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${packaging}/${BRENVIK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/brenvik-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME brenvik.xml)
install(FILES ${PROJECT_SOURCE_DIR}/src/shell/glyphs/brenvik.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging}/icons/application-x-brenvik-document.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
string(TIMESTAMP BRENVIK_RELEASE_DATE "%Y-%m-%d" UTC)
configure_file(${packaging}/${BRENVIK_APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${BRENVIK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${BRENVIK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page: help2man runs the built program's --help and --version (headless, no
# display needed).
find_program(HELP2MAN help2man)
find_program(GZIP gzip)
if(HELP2MAN AND GZIP)
  set(man ${CMAKE_BINARY_DIR}/man/brenvik.1)
  add_custom_command(OUTPUT ${man}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E env BRENVIK_DATA=${CMAKE_BINARY_DIR}/bin
      ${HELP2MAN} --no-info --section=1 --include=${PROJECT_SOURCE_DIR}/packaging/brenvik.h2m
      --output=${man} $<TARGET_FILE:brenvik>
    COMMAND ${GZIP} -9nf ${man}
    DEPENDS brenvik ${PROJECT_SOURCE_DIR}/packaging/brenvik.h2m
    COMMENT "Writing the manual page from brenvik --help"
    VERBATIM)
  add_custom_target(brenvik_man ALL DEPENDS ${man}.gz)
  install(FILES ${man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "help2man or gzip not found: no manual page (scripts/deps.sh installs help2man)")
endif()

# The Debian package: brenvik_<version>_amd64.deb. dpkg-shlibdeps computes the libraries'
# packages; the Arial-metric fonts the reports are laid out in are data, not a library, and
# are the one dependency named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brenvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Brenvik developers <brenvik@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "welding procedure documents for welding engineers")
set(CPACK_PACKAGE_DESCRIPTION "Fills in, checks, prints and exports the WPDS, PQR, WPQR and WPS
documents of a welding shop, saved as .wrp files, and keeps the shop's
recurring entries and company profiles in a user store.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)

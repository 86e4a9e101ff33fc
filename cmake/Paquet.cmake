# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built by "cpack -G DEB" in the build folder: the programs find their data at ../share/balizo
# from their own folder, so the package installs under /usr what the build installs anywhere else.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME balizo)
set(CPACK_PACKAGE_VENDOR Balizo)
set(CPACK_PACKAGE_CONTACT "Balizo <balizo@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop editor for HTML pages written by hand")
set(CPACK_PACKAGE_DESCRIPTION [[
Balizo is a desktop editor for people who write their HTML pages by hand.
One main window holds any number of pages, each edited as raw mark-up:
buttons wrap the selection in tags, a palette writes the tags of every HTML
element, a table of special characters turns accented letters into entities
and back, and the set of open pages can be saved as a desktop and reopened in
one step. Its interface is in French.
.
The package also holds balizo-outils, the editor's transformations of pages
for scripts and pipes.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
# dpkg-shlibdeps (dpkg-dev) names the libraries' packages, Qt's and QScintilla's among them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The live preview's browser engine runs in a program of its own, which no library names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin")
# The browser that shows the pages and the help is, until the user picks another, the desktop's launcher xdg-open;
# the spelling is checked with the French dictionary until the user picks another; the image dialog reads the size
# of WebP and SVG pictures through Qt's image plug-ins.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, hunspell-fr, qt6-image-formats-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The copyright file, in Debian's machine-readable format, and the changelog, compressed as Debian has it: gzip -n
# leaves out the name and the time, so that the same changelog always gives the same bytes.
find_program(GZIP_PROGRAMME gzip REQUIRED)
set(_journal ${CMAKE_BINARY_DIR}/paquet/changelog)
add_custom_command(OUTPUT ${_journal}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/paquet/changelog ${_journal}
    COMMAND ${GZIP_PROGRAMME} -9nf ${_journal}
    DEPENDS ${PROJECT_SOURCE_DIR}/paquet/changelog
    VERBATIM)
add_custom_target(journal_paquet ALL DEPENDS ${_journal}.gz)
install(FILES ${PROJECT_SOURCE_DIR}/paquet/copyright ${_journal}.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/balizo)

include(CPack)

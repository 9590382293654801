# The Debian package, made by "cpack -G DEB" (make package). Its library dependencies are
# computed by dpkg-shlibdeps from what the program links, so they follow the libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavelon)
set(CPACK_PACKAGE_VENDOR Tavelon)
set(CPACK_PACKAGE_CONTACT "Tavelon <entwicklung@tavelon.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for structograms and flowcharts")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavelon is an editor for program designs drawn as Nassi-Shneiderman\n"
    "structograms or as flowcharts, made for teaching programming in\n"
    "German-speaking classrooms. Designs are saved as .str files, written out\n"
    "as program text, printed and exported as PNG, SVG or PDF pictures. The\n"
    "user interface is German.")
# Lines of the long description stay under 80 characters for the terminal.
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tavelon.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, so no linker finds them: the database that makes .str files known, the index
# of menu entries by file type that file managers open a double-clicked design with, the icon
# theme the icon is looked up in, the fonts the diagrams fall back to, and the German texts of
# Qt's own dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "shared-mime-info, desktop-file-utils, hicolor-icon-theme, fonts-liberation, qt6-translations-l10n")

include(CPack)

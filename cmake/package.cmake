# The Debian package (cpack -G DEB, or scripts/package.sh): everything `cmake --install`
# puts under the prefix, with the libraries' packages found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "The Quillet developers")
set(CPACK_PACKAGE_CONTACT "Quillet developers <quillet@users.noreply.github.com>" CACHE STRING
    "The package's maintainer")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of the main menu file of Motorola P2K phones")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillet edits the main menu file (mma_ucp) of Motorola P2K mobile phones.\n"
    "It opens the file from disk or reads it from a phone over USB, shows the\n"
    "menu as a tree, edits names per language, softkey titles, icons, web\n"
    "addresses, Java applications and attributes, and saves the file in the\n"
    "22-byte or 36-byte record layout or writes it back to the phone.\n"
    "\n"
    "The package also holds mmatool, which shows and converts menu files from\n"
    "the command line, and udev rules that let the desktop user reach the phone.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUILLET_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: Qt's window-system plugins.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own catalogues translate the standard buttons and file dialogs of a Russian or
# Chinese interface.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-noto-cjk")
include(CPack)

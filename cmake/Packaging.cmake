# cpack -G DEB builds the Debian package from the install rules.
set(CPACK_PACKAGE_NAME kelvox)
set(CPACK_PACKAGE_VENDOR "Harrowgate")
set(CPACK_PACKAGE_CONTACT "Harrowgate <support@harrowgate.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Prepares the Ohio probate court's adoption forms")
set(CPACK_PACKAGE_INSTALL_DIRECTORY kelvox)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolbar icons need the SVG plugins, text fitting measures these fonts,
# and LibreOffice opens and converts the forms.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-liberation2, fonts-open-sans, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-writer | libreoffice-writer-nogui")
include(CPack)

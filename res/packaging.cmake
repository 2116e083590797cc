# The Debian package: `cpack -G DEB` in the build folder. Only the installed program's own
# component goes in, whatever else the build may install.
set(CPACK_PACKAGE_NAME ${ZERKAN_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zerkan Kütlesi geliştiricileri")
set(CPACK_PACKAGE_CONTACT "${ZERKAN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "periodic table and molar-mass calculator (Turkish)")
set(CPACK_PACKAGE_DESCRIPTION
    "Zerkan Kütlesi is a small desktop periodic table with a Turkish user interface.
Pick an element by atomic number, name or symbol and read its proton count,
atomic mass, period, group and kind; compose a molecule element by element
and read its formula, contents and molar mass.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};program;/")
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZERKAN_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own texts (message-box buttons, context menus) in Turkish.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
# The read-me opens in the desktop's default program for RTF documents.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)

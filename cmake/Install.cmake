# What a desktop needs beside the program: the menu entry, the icon in each drawn size, the software
# centre's description and the manual page; and the Debian package that carries them.
include(GNUInstallDirs)

set(VORNEL_ASSETS ${PROJECT_SOURCE_DIR}/assets)

install(FILES ${VORNEL_ASSETS}/vornel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VORNEL_ASSETS}/vornel.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 256)
  install(FILES ${VORNEL_ASSETS}/icons/vornel-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME vornel.png)
endforeach()

# Compressed, as Debian keeps its manual pages; man reads it as it is.
find_program(VORNEL_GZIP gzip REQUIRED)
set(VORNEL_MAN_PAGE ${CMAKE_BINARY_DIR}/vornel.1.gz)
add_custom_command(OUTPUT ${VORNEL_MAN_PAGE}
  COMMAND ${VORNEL_GZIP} -9nc ${VORNEL_ASSETS}/vornel.1 > ${VORNEL_MAN_PAGE}
  DEPENDS ${VORNEL_ASSETS}/vornel.1
  VERBATIM)
add_custom_target(man_page ALL DEPENDS ${VORNEL_MAN_PAGE})
install(FILES ${VORNEL_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vornel)
set(CPACK_PACKAGE_VENDOR "Ворнель")
set(CPACK_PACKAGE_CONTACT "Ворнель <support@vornel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prints a cut-and-fold paper envelope for a CD or DVD")
set(CPACK_PACKAGE_DESCRIPTION
    "Draws the envelope at true millimetre scale from the printer's own resolution, so it folds around a disc on any printer.")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://vornel.example")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Where the packaged program finds its print-system module when it can't tell where its own file is.
set_property(SOURCE ${PROJECT_SOURCE_DIR}/platform/PrintBackendModule.cpp DIRECTORY ${PROJECT_SOURCE_DIR}/platform
  APPEND PROPERTY COMPILE_DEFINITIONS VORNEL_MODULE_INSTALL_DIR="${CPACK_PACKAGING_INSTALL_PREFIX}/lib/vornel")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries come from the binary itself; the window system plug-in and the fonts the windows are designed
# for are loaded at run time, so no linker sees them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wine, fonts-liberation2")
# A native window on a Wayland desktop instead of one through XWayland, and the toolkit's own dialogs in
# Russian; the program runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
include(CPack)

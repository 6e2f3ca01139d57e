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

# Compressed, as Debian keeps its manual pages; man reads them as they are. The English page is the one
# for every locale but a Russian one, which man finds under ru/.
find_program(VORNEL_GZIP gzip REQUIRED)
set(VORNEL_MAN_PAGES)
foreach(page "vornel.1|man1" "vornel.ru.1|ru/man1")
  string(REPLACE "|" ";" page ${page})
  list(GET page 0 source)
  list(GET page 1 folder)
  set(compressed ${CMAKE_BINARY_DIR}/man/${folder}/vornel.1.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man/${folder}
    COMMAND ${VORNEL_GZIP} -9nc ${VORNEL_ASSETS}/${source} > ${compressed}
    DEPENDS ${VORNEL_ASSETS}/${source}
    VERBATIM)
  list(APPEND VORNEL_MAN_PAGES ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/${folder})
endforeach()
add_custom_target(man_page ALL DEPENDS ${VORNEL_MAN_PAGES})

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
# A native window on a Wayland desktop instead of one through XWayland, the toolkit's own dialogs in Russian,
# and a print server to print on; the program runs without them (it saves PDF files without a server).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, cups")
include(CPack)

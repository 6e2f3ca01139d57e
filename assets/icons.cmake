# The main window's pictures: the program icon in its sizes, the print button's printer and the menu images,
# these two also at twice the size for screens of twice the density.
qt_add_resources(assets "icons" PREFIX "/" FILES
  icons/vornel-16.png
  icons/vornel-24.png
  icons/vornel-32.png
  icons/vornel-48.png
  icons/vornel-256.png
  icons/printer-48.png
  icons/printer-48@2x.png
  icons/menu-bulb-24.png
  icons/menu-bulb-24@2x.png
  icons/menu-printer-24.png
  icons/menu-printer-24@2x.png
  icons/menu-person-24.png
  icons/menu-person-24@2x.png
  icons/menu-globe-24.png
  icons/menu-globe-24@2x.png
  icons/menu-pdf-24.png
  icons/menu-pdf-24@2x.png)

# The pictures are drawn by a program of ours; `ninja icons` redraws them into the source tree.
add_executable(make_icons EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/generator/MakeIcons.cpp)
target_link_libraries(make_icons PRIVATE Qt6::Gui)
add_custom_target(icons
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:make_icons>
          ${CMAKE_CURRENT_SOURCE_DIR}/icons
  DEPENDS make_icons
  COMMENT "Drawing the main window's pictures")

# The About dialog's picture: one block of pixels, read by the dialog each time it opens.
# The English one differs in the header's words only.
qt_add_resources(assets "about" PREFIX "/" FILES about/AboutPicture.bin about/AboutPicture.en.bin)

# The block is drawn by a program of ours; `ninja about_picture` redraws it into the source tree.
add_executable(make_about_picture EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/about/MakeAboutPicture.cpp)
target_link_libraries(make_about_picture PRIVATE platform Qt6::Gui)
add_custom_target(about_picture
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:make_about_picture>
          /usr/share/fonts/truetype/liberation2 ${CMAKE_CURRENT_SOURCE_DIR}/about/AboutPicture.bin
          ${CMAKE_CURRENT_BINARY_DIR}/AboutPicture-preview.png
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:make_about_picture>
          /usr/share/fonts/truetype/liberation2 ${CMAKE_CURRENT_SOURCE_DIR}/about/AboutPicture.en.bin
          ${CMAKE_CURRENT_BINARY_DIR}/AboutPicture-preview.en.png en
  DEPENDS make_about_picture
  COMMENT "Drawing the About picture")

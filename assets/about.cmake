# The About dialog's picture: one block of pixels, read by the dialog each time it opens, with its rendition
# for screens of twice the density beside it. The English one differs in the header's words only.
qt_add_resources(assets "about" PREFIX "/" FILES
  about/AboutPicture.bin
  about/AboutPicture@2x.bin
  about/AboutPicture.en.bin
  about/AboutPicture.en@2x.bin)

# The blocks are drawn by a program of ours; `ninja about_picture` redraws them into the source tree.
add_executable(make_about_picture EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/about/MakeAboutPicture.cpp)
target_link_libraries(make_about_picture PRIVATE platform Qt6::Gui)
set(about_picture_commands "")
foreach(language ru en)
  set(suffix "")
  if(language STREQUAL "en")
    set(suffix ".en")
  endif()
  foreach(scale 1 2)
    set(density "")
    if(scale EQUAL 2)
      set(density "@2x")
    endif()
    list(APPEND about_picture_commands
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:make_about_picture>
              /usr/share/fonts/truetype/liberation2 ${language} ${scale}
              ${CMAKE_CURRENT_SOURCE_DIR}/about/AboutPicture${suffix}${density}.bin
              ${CMAKE_CURRENT_BINARY_DIR}/AboutPicture-preview${suffix}${density}.png)
  endforeach()
endforeach()
add_custom_target(about_picture ${about_picture_commands}
  DEPENDS make_about_picture
  COMMENT "Drawing the About picture")

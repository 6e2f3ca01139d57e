# Each library shows other targets its own folder's headers only, under their path from the project root
# ("printing/TPrinter.h"): the headers are linked one by one into a folder of the build, which the library
# exports. A target sees the floors it links and nothing above them, so an include that climbs fails to compile.
function(vornel_floor target folder)
  set(shown ${PROJECT_BINARY_DIR}/floors/${target})
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  file(REMOVE_RECURSE ${shown})
  file(MAKE_DIRECTORY ${shown}/${folder})
  foreach(header ${headers})
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${shown}/${folder}/${name} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${shown})
endfunction()

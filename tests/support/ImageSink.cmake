# The preview bitmap as a sink of runs, shared by the tests and the benchmarks; the benchmarks build it
# themselves when the tests are off.
add_library(image_sink STATIC ${CMAKE_CURRENT_LIST_DIR}/ImageSink.cpp)
target_include_directories(image_sink PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(image_sink PUBLIC platform Qt6::Gui)

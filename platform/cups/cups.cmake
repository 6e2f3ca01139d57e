# The CUPS backend of the print system. Debian ships no pkg-config file for libcups; CMake's module finds it.
find_package(Cups 2.2 REQUIRED)
target_include_directories(platform PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(platform PUBLIC Cups::Cups)

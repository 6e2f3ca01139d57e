# The private CUPS server of the tests (cupsd.sh beside this file). ctest starts it before the first test
# that needs it and stops it after the last one. A test program runs against it after
#   include(${PROJECT_SOURCE_DIR}/tests/cups/PrivateCups.cmake)
#   vornel_private_cups_tests(<target>)
# which discovers its tests with the server's client environment, and links the PrivateCups helpers.
# Every test on the server holds one lock: they change its queues.
include_guard(GLOBAL)

# A port of its own per build folder, so that two builds can test at the same time.
string(MD5 vornel_build_hash "${CMAKE_BINARY_DIR}")
string(SUBSTRING "${vornel_build_hash}" 0 4 vornel_build_hash)
math(EXPR vornel_default_port "20000 + 0x${vornel_build_hash} % 20000")
set(VORNEL_TEST_CUPS_PORT ${vornel_default_port} CACHE STRING "Loopback port of the tests' private CUPS server")
math(EXPR VORNEL_TEST_CUPS_SPARE_PORT "${VORNEL_TEST_CUPS_PORT} + 1")
set(VORNEL_TEST_CUPSD ${CMAKE_CURRENT_LIST_DIR}/cupsd.sh)
set(VORNEL_TEST_CUPS_DIR /tmp/vornel-cupsd-${VORNEL_TEST_CUPS_PORT})

add_test(NAME private_cupsd_start COMMAND ${VORNEL_TEST_CUPSD} start ${VORNEL_TEST_CUPS_DIR} ${VORNEL_TEST_CUPS_PORT})
add_test(NAME private_cupsd_stop COMMAND ${VORNEL_TEST_CUPSD} stop ${VORNEL_TEST_CUPS_DIR})
set_tests_properties(private_cupsd_start PROPERTIES FIXTURES_SETUP private_cupsd RESOURCE_LOCK private_cupsd)
set_tests_properties(private_cupsd_stop PROPERTIES FIXTURES_CLEANUP private_cupsd RESOURCE_LOCK private_cupsd)

# The tests ask the server with libcups directly, too.
find_package(Cups 2.2 REQUIRED)
add_library(private_cups STATIC ${CMAKE_CURRENT_LIST_DIR}/PrivateCups.cpp)
target_include_directories(private_cups PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(private_cups PUBLIC cups_backend Cups::Cups platform Qt6::Core GTest::gtest)

function(vornel_private_cups_tests target)
  target_link_libraries(${target} PRIVATE private_cups)
  set(environment
    CUPS_SERVER=127.0.0.1:${VORNEL_TEST_CUPS_PORT}
    CUPS_SERVERROOT=${VORNEL_TEST_CUPS_DIR}/client
    HOME=${VORNEL_TEST_CUPS_DIR}/home
    VORNEL_CUPSD=${VORNEL_TEST_CUPSD}
    VORNEL_CUPSD_DIR=${VORNEL_TEST_CUPS_DIR}
    VORNEL_CUPSD_SPARE_PORT=${VORNEL_TEST_CUPS_SPARE_PORT}
    QT_QPA_PLATFORM=offscreen)
  # On their way to the discovered tests the properties go through three list expansions, each of which
  # eats a level of escaping.
  set(separator [[\\\\\\\\;]])
  string(REPLACE ";" "${separator}" environment "${environment}")
  gtest_discover_tests(${target}
    PROPERTIES
      FIXTURES_REQUIRED private_cupsd
      RESOURCE_LOCK private_cupsd
      ENVIRONMENT "${environment}"
      ENVIRONMENT_MODIFICATION "PRINTER=unset:${separator}LPDEST=unset:")
endfunction()

# Tests build from the same sources on both systems, and ctest lists each case by name on both:
# the names come from the program's own listing, read at build time (under Wine on Windows).
if(CMAKE_CROSSCOMPILING)
  # GoogleTest from the source that Debian's googletest package ships.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Under Wine every test runs in one Wine session that lasts the run (see cmake/wine-session.sh):
# ctest starts it before the first test that needs it and ends it after the last.
if(CMAKE_CROSSCOMPILING)
  add_test(NAME wine.session.start
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh start ${CMAKE_BINARY_DIR})
  add_test(NAME wine.session.stop
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh stop ${CMAKE_BINARY_DIR})
  set_tests_properties(wine.session.start PROPERTIES FIXTURES_SETUP wine_session)
  set_tests_properties(wine.session.stop PROPERTIES FIXTURES_CLEANUP wine_session)
endif()

# velmora_test_uses_wine(TEST...): the tests run Windows programs of the build (under Wine).
function(velmora_test_uses_wine)
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wine_session)
  endif()
endfunction()

# velmora_add_test(NAME SOURCES ... LIBRARIES ... [RUN_INSIDE COMMAND ARGS...])
# RUN_INSIDE: a command that runs the program (and Wine) as its last arguments, for the listing
# and each case alike; the download tests run inside the update server this way.
function(velmora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;RUN_INSIDE" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main
                        velmora_warnings)
  set(runner ${ARG_RUN_INSIDE})
  set(discovered_properties)
  if(CMAKE_CROSSCOMPILING)
    set(discovered_properties PROPERTIES FIXTURES_REQUIRED wine_session)
    # The listing and each case run under Wine, with the program's text line ends undone.
    list(APPEND runner ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/wine-gtest.sh)
  endif()
  if(runner)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${runner}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 ${discovered_properties})
endfunction()

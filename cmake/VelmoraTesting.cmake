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

# velmora_add_test(NAME SOURCES ... LIBRARIES ... [RUN_INSIDE COMMAND ARGS...])
# RUN_INSIDE: a command that runs the program (and Wine) as its last arguments, for the listing
# and each case alike; the download tests run inside the update server this way.
function(velmora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;RUN_INSIDE" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main
                        velmora_warnings)
  set(runner ${ARG_RUN_INSIDE})
  if(CMAKE_CROSSCOMPILING)
    # The listing and each case run under Wine, with the program's text line ends undone.
    list(APPEND runner ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/wine-gtest.sh)
  endif()
  if(runner)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${runner}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

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

# velmora_add_test(NAME SOURCES ... LIBRARIES ...)
function(velmora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main
                        velmora_warnings)
  if(CMAKE_CROSSCOMPILING)
    # The listing and each case run under Wine, with the program's text line ends undone.
    set_target_properties(${name} PROPERTIES
      CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/wine-gtest.sh)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

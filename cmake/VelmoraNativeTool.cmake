# velmora_native_tool(<name> <folder>): makes the build-machine program <name>, whose sources
# stand alone in <folder>, and sets <NAME_UPPER>_PROGRAM to its path and <NAME_UPPER>_TARGET to
# the target to depend on (with <NAME_UPPER> the name in capitals, "-" as "_").
#
# The native build adds the folder as an ordinary subdirectory. The Windows cross build cannot
# use its own (Windows) compiler for these tools, so it builds the same sources a second time as
# a separate native project with ExternalProject: nothing to install or pass on the command line,
# and a change to the tool rebuilds it with the rest.
include(ExternalProject)

function(velmora_native_tool name folder)
  string(TOUPPER ${name} variable)
  string(REPLACE "-" "_" variable ${variable})
  if(CMAKE_CROSSCOMPILING)
    set(binary_dir ${CMAKE_BINARY_DIR}/native/${name})
    ExternalProject_Add(${name}-native
      SOURCE_DIR ${folder}
      BINARY_DIR ${binary_dir}
      CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON
      BUILD_BYPRODUCTS ${binary_dir}/${name})
    set(${variable}_PROGRAM ${binary_dir}/${name} PARENT_SCOPE)
    set(${variable}_TARGET ${name}-native PARENT_SCOPE)
  else()
    add_subdirectory(${folder} ${CMAKE_BINARY_DIR}/tools/${name})
    set(${variable}_PROGRAM $<TARGET_FILE:${name}> PARENT_SCOPE)
    set(${variable}_TARGET ${name} PARENT_SCOPE)
  endif()
endfunction()

# velmora_add_resources(target SOURCES <source>...): compiles the resource sources with
# velmora-rescomp at build time and adds the result to `target`: the .rc file on Windows, the
# .cpp file with the exported resource directory elsewhere.
#
# velmora-rescomp must run on the build machine. The native build builds it as an ordinary
# target. The Windows cross build cannot use its own (Windows) compiler for it, so it builds the
# same sources a second time as a separate native project with ExternalProject: nothing to
# install or pass on the command line, and a change to the tool rebuilds it with the rest.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(rescomp_native_dir ${CMAKE_BINARY_DIR}/rescomp-native)
  set(VELMORA_RESCOMP ${rescomp_native_dir}/velmora-rescomp)
  ExternalProject_Add(velmora_rescomp_native
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/rescomp
    BINARY_DIR ${rescomp_native_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${VELMORA_RESCOMP})
  set(VELMORA_RESCOMP_TARGET velmora_rescomp_native)
  enable_language(RC)
else()
  add_subdirectory(${CMAKE_SOURCE_DIR}/tools/rescomp ${CMAKE_BINARY_DIR}/tools/rescomp)
  set(VELMORA_RESCOMP $<TARGET_FILE:velmora-rescomp>)
  set(VELMORA_RESCOMP_TARGET velmora-rescomp)
endif()

function(velmora_add_resources target)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  set(sources)
  foreach(source IN LISTS ARG_SOURCES)
    if(IS_ABSOLUTE ${source})
      list(APPEND sources ${source})
    else()
      list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/${source})
    endif()
  endforeach()
  # The dependency file lists every file the sources include or embed.
  add_custom_command(
    OUTPUT ${out}/resources.cpp ${out}/resources.rc
    COMMAND ${VELMORA_RESCOMP} --out ${out} --depfile ${out}/resources.d ${sources}
    DEPENDS ${VELMORA_RESCOMP_TARGET} ${sources}
    DEPFILE ${out}/resources.d
    COMMENT "Compiling the resources of ${target}"
    VERBATIM)
  if(WIN32)
    target_sources(${target} PRIVATE ${out}/resources.rc)
    # windres looks for the payload files named in the .rc in its include folders.
    target_include_directories(${target} PRIVATE ${out})
  else()
    target_sources(${target} PRIVATE ${out}/resources.cpp)
    target_link_libraries(${target} PRIVATE platform)
  endif()
endfunction()

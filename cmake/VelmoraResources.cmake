# velmora_add_resources(target SOURCES <source>...): compiles the resource sources with
# velmora-rescomp at build time and adds the result to `target`: the .rc file on Windows, the
# .cpp file with the exported resource directory elsewhere.
#
# velmora-rescomp runs on the build machine (cmake/VelmoraNativeTool.cmake).
include(VelmoraNativeTool)
velmora_native_tool(velmora-rescomp ${CMAKE_SOURCE_DIR}/tools/rescomp)
if(CMAKE_CROSSCOMPILING)
  enable_language(RC)
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
    COMMAND ${VELMORA_RESCOMP_PROGRAM} --out ${out} --depfile ${out}/resources.d ${sources}
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

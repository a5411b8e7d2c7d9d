# velmora_override_file(<out-var>): writes "100_s.txt" from resources/overrides/100_s.txt.src
# at build time with velmora-overridegen, which runs on the build machine (a native
# ExternalProject in the Windows cross build), and sets <out-var> to the file's path. The target
# velmora_override_file builds it.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(overridegen_native_dir ${CMAKE_BINARY_DIR}/overridegen-native)
  set(VELMORA_OVERRIDEGEN ${overridegen_native_dir}/velmora-overridegen)
  ExternalProject_Add(velmora_overridegen_native
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/overridegen
    BINARY_DIR ${overridegen_native_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${VELMORA_OVERRIDEGEN})
  set(VELMORA_OVERRIDEGEN_TARGET velmora_overridegen_native)
else()
  add_subdirectory(${CMAKE_SOURCE_DIR}/tools/overridegen ${CMAKE_BINARY_DIR}/tools/overridegen)
  set(VELMORA_OVERRIDEGEN $<TARGET_FILE:velmora-overridegen>)
  set(VELMORA_OVERRIDEGEN_TARGET velmora-overridegen)
endif()

function(velmora_override_file out_var)
  set(source ${CMAKE_SOURCE_DIR}/resources/overrides/100_s.txt.src)
  set(output ${CMAKE_BINARY_DIR}/generated/100_s.txt)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
    COMMAND ${VELMORA_OVERRIDEGEN} ${source} ${output}
    DEPENDS ${VELMORA_OVERRIDEGEN_TARGET} ${source}
    COMMENT "Writing the string override file"
    VERBATIM)
  add_custom_target(velmora_override_file DEPENDS ${output})
  set(${out_var} ${output} PARENT_SCOPE)
endfunction()

# velmora_override_file(<out-var>): writes "100_s.txt" from resources/overrides/100_s.txt.src
# at build time with velmora-overridegen, which runs on the build machine, and sets <out-var>
# to the file's path. The target velmora_override_file builds it.
include(VelmoraNativeTool)
velmora_native_tool(velmora-overridegen ${CMAKE_SOURCE_DIR}/tools/overridegen)

function(velmora_override_file out_var)
  set(source ${CMAKE_SOURCE_DIR}/resources/overrides/100_s.txt.src)
  set(output ${CMAKE_BINARY_DIR}/generated/100_s.txt)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
    COMMAND ${VELMORA_OVERRIDEGEN_PROGRAM} ${source} ${output}
    DEPENDS ${VELMORA_OVERRIDEGEN_TARGET} ${source}
    COMMENT "Writing the string override file"
    VERBATIM)
  add_custom_target(velmora_override_file DEPENDS ${output})
  set(${out_var} ${output} PARENT_SCOPE)
endfunction()

# Draws one picture source from inside its folder, so that messages name the file as written.
# A golden case (NAME.bmp.expected beside it) must give exactly those bytes; a fault case
# (NAME.expected) must fail with exactly that message. Variables: PICTUREGEN, FONT, BOLD_FONT,
# SOURCE, OUT_DIR.
file(REMOVE_RECURSE ${OUT_DIR})
get_filename_component(folder ${SOURCE} DIRECTORY)
get_filename_component(name ${SOURCE} NAME_WE)
get_filename_component(file ${SOURCE} NAME)
execute_process(COMMAND ${PICTUREGEN} ${FONT} ${BOLD_FONT} ${OUT_DIR} ${file}
                WORKING_DIRECTORY ${folder} RESULT_VARIABLE result ERROR_VARIABLE errors)
if(EXISTS ${folder}/${name}.bmp.expected)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "velmora-picturegen failed (${result}):\n${errors}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${folder}/${name}.bmp.expected
                          ${OUT_DIR}/${name}.bmp RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${OUT_DIR}/${name}.bmp differs from ${name}.bmp.expected; after checking "
                        "the picture, copy it over the reference")
  endif()
else()
  file(READ ${folder}/${name}.expected expected)
  string(STRIP "${expected}" expected)
  string(STRIP "${errors}" errors)
  if(NOT result EQUAL 1 OR NOT errors STREQUAL "velmora-picturegen: ${expected}")
    message(FATAL_ERROR "expected status 1 and\n  ${expected}\ngot ${result} and\n  ${errors}")
  endif()
endif()

# Compiles one golden case into a scratch folder and compares every output with the case's
# expected/ folder, which it never writes. A reference carries the output's name plus
# ".expected", so that expected sources are not taken for code of ours. Variables: RESCOMP,
# CASE_DIR, OUT_DIR.
file(REMOVE_RECURSE ${OUT_DIR})
file(GLOB sources ${CASE_DIR}/*.txt)
list(SORT sources)
execute_process(COMMAND ${RESCOMP} --out ${OUT_DIR} ${sources}
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "velmora-rescomp failed (${result}):\n${errors}")
endif()

file(GLOB references RELATIVE ${CASE_DIR}/expected ${CASE_DIR}/expected/*.expected)
list(TRANSFORM references REPLACE "\\.expected$" "" OUTPUT_VARIABLE expected)
file(GLOB produced RELATIVE ${OUT_DIR} ${OUT_DIR}/*)
list(SORT expected)
list(SORT produced)
if(NOT expected STREQUAL produced)
  message(FATAL_ERROR "outputs differ in name: expected ${expected}, produced ${produced}")
endif()
foreach(name IN LISTS expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                          ${CASE_DIR}/expected/${name}.expected ${OUT_DIR}/${name}
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${name} differs from ${CASE_DIR}/expected/${name}.expected; after checking the "
                        "change, regenerate the references with the update-rescomp-golden target")
  endif()
endforeach()

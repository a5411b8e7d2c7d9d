# Runs velmora-rescomp on one faulty case (from inside the case folder, so that messages name
# files as written) and checks that it fails with exactly the message in error.expected and
# writes nothing. Variables: RESCOMP, CASE_DIR, OUT_DIR.
file(REMOVE_RECURSE ${OUT_DIR})
file(GLOB sources RELATIVE ${CASE_DIR} ${CASE_DIR}/*.txt)
list(SORT sources)
execute_process(COMMAND ${RESCOMP} --out ${OUT_DIR} ${sources}
                WORKING_DIRECTORY ${CASE_DIR}
                RESULT_VARIABLE result ERROR_VARIABLE errors)
file(READ ${CASE_DIR}/error.expected expected)
string(STRIP "${expected}" expected)
string(STRIP "${errors}" errors)
if(NOT result EQUAL 1)
  message(FATAL_ERROR "expected status 1, got ${result}; messages:\n${errors}")
endif()
if(NOT errors STREQUAL expected)
  message(FATAL_ERROR "expected the message\n  ${expected}\ngot\n  ${errors}")
endif()
if(EXISTS ${OUT_DIR})
  message(FATAL_ERROR "outputs were written despite the fault")
endif()

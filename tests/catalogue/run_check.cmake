# Runs "velmora-catalogue check NAME" in FOLDER and compares what it prints, followed by a line
# "exit N" with its exit status, with EXPECTED.
#
#   cmake -DCATALOGUE=<velmora-catalogue> -DFOLDER=<dir> -DNAME=<file> -DEXPECTED=<file>
#         -DWORK=<scratch file> -P run_check.cmake
execute_process(
  COMMAND "${CATALOGUE}" check "${NAME}"
  WORKING_DIRECTORY "${FOLDER}"
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE result
  TIMEOUT 60)
file(WRITE "${WORK}" "${output}exit ${result}\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${EXPECTED}" "${WORK}"
                RESULT_VARIABLE differs)
if(differs)
  execute_process(COMMAND diff -u "${EXPECTED}" "${WORK}" OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "the check of ${NAME} differs from ${EXPECTED}:\n${difference}${errors}")
endif()

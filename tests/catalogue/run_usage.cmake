# The command line as a user meets it: each case runs velmora-catalogue with its words and
# checks the exit status and a piece of what it printed (standard output and error together).
# A case is "WORDS|STATUS|TEXT", its words separated by commas.
#
#   cmake -DCATALOGUE=<velmora-catalogue> -DFOLDER=<dir> -P run_usage.cmake
cmake_policy(SET CMP0007 NEW)
set(cases
  "--help|0|usage: velmora-catalogue check FILE"
  "|2|velmora-catalogue: no command"
  "check|2|velmora-catalogue: no catalogue file"
  "check,missing.txt|2|velmora-catalogue: missing.txt: no such file"
  "check,.|2|velmora-catalogue: .: is a folder, not a catalogue file"
  "check,a.txt,b.txt|2|velmora-catalogue: check takes one file"
  "inspect,a.txt|2|velmora-catalogue: unknown command"
  "preview,missing.txt|2|velmora-catalogue: missing.txt: no such file"
  "preview,a.txt,--language,9|2|velmora-catalogue: --language takes 0 to 6, not 9"
  "preview,a.txt,--date,2012-09-20|2|velmora-catalogue: --date takes DD/MM/YYYY, not 2012-09-20"
  "preview,a.txt,--library,Lib 01/01/2012|2|velmora-catalogue: --library belongs to an --installed tool given before it"
  "preview,a.txt,--picture|2|velmora-catalogue: --picture needs a value")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 words)
  list(GET parts 1 status)
  list(GET parts 2 expected)
  string(REPLACE "," ";" words "${words}")
  execute_process(
    COMMAND "${CATALOGUE}" ${words}
    WORKING_DIRECTORY "${FOLDER}"
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output
    RESULT_VARIABLE result
    TIMEOUT 30)
  string(FIND "${output}" "${expected}" found)
  if(NOT result STREQUAL status OR found EQUAL -1)
    message(SEND_ERROR "velmora-catalogue ${words}: status ${result}, printed:\n${output}"
                       "expected status ${status} and \"${expected}\"")
  endif()
endforeach()

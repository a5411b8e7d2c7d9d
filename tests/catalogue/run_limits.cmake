# Catalogues at and just beyond each limit of the hub's reader, made here: at the limit the check
# reports nothing of limits, one beyond it names the line where the hub gives up.
#
#   cmake -DCATALOGUE=<velmora-catalogue> -DWORK=<scratch folder> -P run_limits.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(entry "Tool 16.0.0.1 (AC160) 01/01/2012")

# 65,536 lines: 65,535 line ends, the last line without one; one more line end makes 65,537.
string(REPEAT "*\n" 65535 comments)
file(WRITE "${WORK}/lines_at.txt" "${comments}*")
file(WRITE "${WORK}/lines_beyond.txt" "${comments}*\n")
# 4,096 entries, the last without a line end (an empty last line would be one more).
string(REPEAT "${entry}\n" 4095 entries)
file(WRITE "${WORK}/entries_at.txt" "${entries}${entry}")
file(WRITE "${WORK}/entries_beyond.txt" "${entries}${entry}\n${entry}")
# 64 fields on a line, then 65.
string(REPEAT " Flag" 60 flags)
file(WRITE "${WORK}/fields_at.txt" "* fields\n${entry}${flags}")
file(WRITE "${WORK}/fields_beyond.txt" "* fields\n${entry}${flags} Flag")

set(cases
  "lines_at|"
  "lines_beyond|lines_beyond.txt:65537: error: the catalogue has 65537 lines, more than 65536"
  "entries_at|"
  "entries_beyond|entries_beyond.txt:4097: error: entry 4097: a catalogue has at most 4096 entries"
  "fields_at|"
  "fields_beyond|fields_beyond.txt:2: error: the line has more than 64 fields")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 name)
  list(LENGTH parts length)
  execute_process(
    COMMAND "${CATALOGUE}" check ${name}.txt
    WORKING_DIRECTORY "${WORK}"
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE result
    TIMEOUT 120)
  string(REGEX MATCHALL "[^\n]*error:[^\n]*" found "${output}")
  if(length EQUAL 2)
    list(GET parts 1 expected)
    string(FIND "${output}" "${expected}" at)
    if(NOT result EQUAL 1 OR at EQUAL -1)
      message(SEND_ERROR "${name}: status ${result}, errors: ${found}${errors}\n"
                         "expected status 1 and \"${expected}\"")
    endif()
  elseif(NOT result EQUAL 0 OR found)
    message(SEND_ERROR "${name}: status ${result}, errors: ${found}${errors}\n"
                       "expected none")
  endif()
endforeach()

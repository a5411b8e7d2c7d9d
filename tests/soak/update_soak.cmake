# CHECKS manual update checks in a row in one session of the hub alone, against the demo update
# server answering the catalogue and the banner with the faults of "server.txt" in turn. Every ten
# checks are one turn of those faults and must print "period.txt" (dialog ids, which grow with
# every check, read as "#"). What the hub holds (`holdings`: memory handles and pointers with their
# bytes, threads, open files, windows, and the host's live allocations) after check 10 and after
# the last must be the same, and nothing may be left at the unload.
#
#   cmake -DRUNNER=<velmora-host> [-DEMULATOR=<wine-run.sh>] -DADDONS=<dir>
#         -DUPDATE_SERVER=<program> -DUPDATE_ROOT=<dir> -DCERTIFICATES=<dir> -DCASE=<tests/soak>
#         -DWORK=<scratch folder> -DCHECKS=<a multiple of 10, at least 20> -P update_soak.cmake
cmake_minimum_required(VERSION 3.25)
set(period 10)
math(EXPR turns "${CHECKS} / ${period}")
math(EXPR whole "${turns} * ${period}")
if(NOT whole EQUAL CHECKS OR turns LESS 2)
  message(FATAL_ERROR "CHECKS must be a multiple of ${period}, at least ${period} twice")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/user" "${WORK}/addons")
file(COPY "${ADDONS}/Velmora 16.0 (AC160).apx" DESTINATION "${WORK}/addons")

set(script "")
foreach(check RANGE 1 ${CHECKS})
  string(APPEND script "choose 3\nwait\ndialogs\n")
  if(check EQUAL period OR check EQUAL CHECKS)
    string(APPEND script "holdings\n")
  endif()
endforeach()
string(APPEND script "quit\n")
file(WRITE "${WORK}/session.script" "${script}")

# Each check asks for the catalogue and, when it was read, the banner; a few more for slack.
math(EXPR max_requests "${CHECKS} * 2 + 10")
file(STRINGS "${CASE}/server.txt" server_lines)
list(JOIN server_lines " " server_options)
separate_arguments(server_options UNIX_COMMAND "${server_options}")
include(${CMAKE_CURRENT_LIST_DIR}/../support/update_network.cmake)
velmora_update_network(server ROOT "${UPDATE_ROOT}" WORK "${WORK}" SECONDS 3000
                       OPTIONS --max-requests ${max_requests} ${server_options})
execute_process(
  COMMAND ${server} ${EMULATOR} "${RUNNER}" --addons "${WORK}/addons" --user-dir "${WORK}/user"
          --script "${WORK}/session.script"
  OUTPUT_FILE "${WORK}/transcript.txt"
  ERROR_VARIABLE errors
  RESULT_VARIABLE result
  TIMEOUT 3000)
velmora_update_network_skipped("${result}" skipped)
if(skipped)
  return()
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "velmora-host ended with ${result}: ${errors}\nIts output is in ${WORK}")
endif()

file(READ "${WORK}/transcript.txt" transcript)
string(REGEX REPLACE "(^|\n)DIALOG [0-9]+ " "\\1DIALOG # " transcript "${transcript}")
string(REGEX MATCHALL "> holdings\n[^>]*" samples "${transcript}")
list(LENGTH samples sample_count)
if(NOT sample_count EQUAL 2 OR NOT samples MATCHES "\nHOLDINGS Velmora 16.0 \\(AC160\\): ")
  message(FATAL_ERROR "the holdings were not sampled twice:\n${samples}\n${errors}Output in ${WORK}")
endif()
list(GET samples 0 first)
list(GET samples 1 last)
if(NOT first STREQUAL last)
  message(SEND_ERROR "the hub holds more after ${CHECKS} checks than after ${period}:\n"
                     "after ${period}:\n${first}after ${CHECKS}:\n${last}")
endif()

string(REPLACE "${first}" "" rest "${transcript}")
string(REPLACE "${last}" "" rest "${rest}")
file(READ "${CASE}/period.txt" one_turn)
set(expected "LOADED Velmora 16.0 (AC160)\n")
foreach(turn RANGE 1 ${turns})
  string(APPEND expected "${one_turn}")
endforeach()
string(APPEND expected "> quit\n")
if(NOT rest STREQUAL expected)
  file(WRITE "${WORK}/expected.txt" "${expected}")
  file(WRITE "${WORK}/compared.txt" "${rest}")
  execute_process(COMMAND diff -u "${WORK}/expected.txt" "${WORK}/compared.txt"
                  OUTPUT_VARIABLE difference)
  message(SEND_ERROR "the checks printed other than ${turns} times period.txt:\n${difference}"
                     "${errors}Output in ${WORK}")
endif()

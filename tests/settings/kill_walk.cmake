# Ends velmora-host at once, as a kill does, at each file operation of one session of the hub in
# turn: every open, write, rename and deletion, and inside the writes after every BYTE_STRIDE-th
# byte. After each run every file the session writes must be byte for byte the old one (the
# case's "user" folder) or the new one (what a whole session leaves).
#
#   cmake -DRUNNER=<velmora-host> [-DEMULATOR=<wine-run.sh>] -DADDONS=<dir> -DCASE=<kill_walk>
#         -DWORK=<scratch folder> -DBYTE_STRIDE=<n> -P kill_walk.cmake
cmake_minimum_required(VERSION 3.25)
set(written_files TarnPlugins.cfg Velmora_160.cfg versions.txt)
set(killed_status 86)
# No session reaches for the real update host.
set(ENV{http_proxy} "http://127.0.0.1:9")
set(ENV{https_proxy} "http://127.0.0.1:9")
file(READ "${CASE}/session.script" session)

# Runs the session from the old files with `fault` as its first command; its status in `status`.
function(run_session fault)
  file(REMOVE_RECURSE "${WORK}/user")
  file(COPY "${CASE}/user/" DESTINATION "${WORK}/user")
  file(WRITE "${WORK}/session.script" "${fault}\n${session}")
  execute_process(
    COMMAND ${EMULATOR} "${RUNNER}" --addons "${ADDONS}" --user-dir "${WORK}/user"
            --script "${WORK}/session.script"
    OUTPUT_FILE "${WORK}/transcript.txt"
    ERROR_VARIABLE errors
    RESULT_VARIABLE result
    TIMEOUT 60)
  if(NOT result EQUAL 0 AND NOT result EQUAL killed_status)
    message(FATAL_ERROR "\"${fault}\": velmora-host ended with ${result}: ${errors}")
  endif()
  set(status ${result} PARENT_SCOPE)
endfunction()

function(check_files fault)
  foreach(name IN LISTS written_files)
    if(NOT EXISTS "${WORK}/user/${name}")
      message(SEND_ERROR "\"${fault}\": ${name} is gone")
      continue()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${CASE}/user/${name}"
                            "${WORK}/user/${name}" RESULT_VARIABLE differs_from_old)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/new/${name}"
                            "${WORK}/user/${name}" RESULT_VARIABLE differs_from_new)
    if(differs_from_old AND differs_from_new)
      message(SEND_ERROR "\"${fault}\": ${name} is neither the old nor the new file")
    endif()
  endforeach()
endfunction()

file(REMOVE_RECURSE "${WORK}")
run_session("")
file(COPY "${WORK}/user/" DESTINATION "${WORK}/new")
foreach(name IN LISTS written_files)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${CASE}/user/${name}"
                          "${WORK}/new/${name}" RESULT_VARIABLE differs)
  if(NOT differs)
    message(FATAL_ERROR "the session does not write ${name}")
  endif()
endforeach()

# Each walk goes on until the session runs to its end: the fault then lies beyond its calls.
set(runs 0)
foreach(operation open write rename delete)
  set(call 1)
  while(TRUE)
    run_session("file-fault kill ${operation} ${call}")
    math(EXPR runs "${runs} + 1")
    if(status EQUAL 0)
      break()
    endif()
    check_files("file-fault kill ${operation} ${call}")
    math(EXPR call "${call} + 1")
  endwhile()
endforeach()
set(bytes 0)
while(TRUE)
  run_session("file-fault kill disk ${bytes}")
  math(EXPR runs "${runs} + 1")
  if(status EQUAL 0)
    break()
  endif()
  check_files("file-fault kill disk ${bytes}")
  math(EXPR bytes "${bytes} + ${BYTE_STRIDE}")
endwhile()
message(STATUS "${runs} sessions, each ended at another file operation")

# Runs one transcript case: a fresh user folder (seeded from the case's "user" folder), the
# case's own add-ons folder when it lists one ("addons.txt", names taken from the build's
# add-ons folder or, for the demo member tools, its members folder), then velmora-host with the
# case's script and options. The transcript must equal "expected.txt", and every file of
# "expected-user" must equal the file of that name left in the user folder, byte for byte.
# SERVER_OPTIONS, when given, are the update server's options for this run in place of
# "server.txt" (one line of the case's "runs.txt", see CMakeLists.txt).
# With -DUPDATE=ON the run writes "expected.txt", "partner-expected.txt" and the files of
# "expected-user" anew from what it printed and left, for review before they are committed,
# instead of comparing them (the update-transcripts target; never a test). Everything else is
# checked as in a test.
#
#   cmake -DRUNNER=<velmora-host> [-DEMULATOR=<wine-run.sh>] -DBUILD_ADDONS=<dir>
#         -DBUILD_MEMBERS=<dir> -DUPDATE_SERVER=<program> -DUPDATE_ROOT=<dir>
#         -DCERTIFICATES=<dir> -DCASE=<case folder> -DWORK=<scratch folder>
#         [-DSERVER_OPTIONS=<options>] [-DUPDATE=ON] -P run_transcript.cmake
file(REMOVE_RECURSE "${WORK}")
# "folders.txt": what the folders around the session hold, one line each, paths relative to the
# scratch folder and in UTF-8 (so that a case can name folders in any script without such names
# in the source tree):
#   user PATH            the user folder (default "user")
#   addons PATH          the add-ons folder (default "addons")
#   copy FOLDER PATH     the case's FOLDER copied to PATH; afterwards each of its files must be
#                        there byte for byte as it was
#   seed FOLDER PATH     the case's FOLDER copied to PATH
#   expect FOLDER PATH   afterwards each file of the case's FOLDER must be at PATH byte for byte
#   absent PATH          afterwards nothing may be at PATH (which may hold the wildcards * and ?)
#   folder PATH          an empty folder
#   link PATH TARGET     a symbolic link; afterwards it must still be that link
#   read-only PATH       a file without write permission
#   age PATH MINUTES     the entry (a link itself, not what it leads to) last changed MINUTES ago
#   shared PATH          a folder that everybody may write, marked sticky (as /tmp)
#   owner PATH UID       the entry (a link itself) belongs to user UID; the case is skipped
#                        unless it runs as root, who alone can give a file away
set(user_folder "${WORK}/user")
set(addons_folder "${WORK}/addons")
set(folder_lines)
if(EXISTS "${CASE}/folders.txt")
  file(STRINGS "${CASE}/folders.txt" folder_lines ENCODING UTF-8)
endif()
foreach(line IN LISTS folder_lines)
  if(line MATCHES "^owner ")
    execute_process(COMMAND id -u OUTPUT_VARIABLE user_id OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT user_id STREQUAL "0")
      message("SKIPPED: the case gives a file to another user, which only root can do")
      return()
    endif()
  endif()
endforeach()
foreach(line IN LISTS folder_lines)
  if(line MATCHES "^user (.+)$")
    set(user_folder "${WORK}/${CMAKE_MATCH_1}")
  elseif(line MATCHES "^addons (.+)$")
    set(addons_folder "${WORK}/${CMAKE_MATCH_1}")
  elseif(NOT line MATCHES
         "^(copy|seed|expect|link|age|owner) [^ ]+ .|^(absent|folder|read-only|shared) .")
    message(FATAL_ERROR "${CASE}/folders.txt: a line this runner does not know: \"${line}\"")
  endif()
endforeach()
file(MAKE_DIRECTORY "${user_folder}")
if(EXISTS "${CASE}/user")
  file(COPY "${CASE}/user/" DESTINATION "${user_folder}")
endif()

# A settings file holds every byte of its records with the byte's two halves exchanged; the
# exchange is its own inverse, so the same step scrambles records and reads them back. `hex` is
# the bytes in hexadecimal.
function(velmora_halves_exchanged hex out)
  string(REGEX MATCHALL ".." pairs "${hex}")
  set(bytes)
  foreach(pair IN LISTS pairs)
    string(SUBSTRING "${pair}" 0 1 high)
    string(SUBSTRING "${pair}" 1 1 low)
    math(EXPR code "0x${low}${high}")
    string(ASCII ${code} byte)
    string(APPEND bytes "${byte}")
  endforeach()
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

# Settings records as a settings file holds them.
function(velmora_scrambled text out)
  string(HEX "${text}" hex)
  velmora_halves_exchanged("${hex}" bytes)
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

# "stored-settings.txt": lines "FILE NAME VALUE" written as settings records into the user
# folder. A value "NOW-<seconds>" is the current time less that many seconds, so that a case can
# make the last update check as old as it needs.
if(EXISTS "${CASE}/stored-settings.txt")
  string(TIMESTAMP now "%s" UTC)
  file(STRINGS "${CASE}/stored-settings.txt" records)
  foreach(record IN LISTS records)
    if(NOT record MATCHES "^([^ ]+) ([^ ]+) (.*)$")
      message(FATAL_ERROR "${CASE}/stored-settings.txt: \"${record}\" is not FILE NAME VALUE")
    endif()
    set(file_name "${CMAKE_MATCH_1}")
    set(setting_name "${CMAKE_MATCH_2}")
    set(value "${CMAKE_MATCH_3}")
    if(value MATCHES "^NOW-([0-9]+)$")
      math(EXPR value "${now} - ${CMAKE_MATCH_1}")
    endif()
    velmora_scrambled("$${setting_name}: ${value}\r\n" bytes)
    file(APPEND "${user_folder}/${file_name}" "${bytes}")
  endforeach()
endif()

foreach(line IN LISTS folder_lines)
  if(line MATCHES "^(copy|seed) ([^ ]+) (.+)$")
    file(MAKE_DIRECTORY "${WORK}/${CMAKE_MATCH_3}")
    file(COPY "${CASE}/${CMAKE_MATCH_2}/" DESTINATION "${WORK}/${CMAKE_MATCH_3}")
  elseif(line MATCHES "^folder (.+)$")
    file(MAKE_DIRECTORY "${WORK}/${CMAKE_MATCH_1}")
  elseif(line MATCHES "^link ([^ ]+) (.+)$")
    file(CREATE_LINK "${CMAKE_MATCH_2}" "${WORK}/${CMAKE_MATCH_1}" SYMBOLIC)
  elseif(line MATCHES "^read-only (.+)$")
    file(CHMOD "${WORK}/${CMAKE_MATCH_1}" FILE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
  elseif(line MATCHES "^shared (.+)$")
    file(MAKE_DIRECTORY "${WORK}/${CMAKE_MATCH_1}")
    execute_process(COMMAND chmod 1777 "${WORK}/${CMAKE_MATCH_1}" COMMAND_ERROR_IS_FATAL ANY)
  elseif(line MATCHES "^owner ([^ ]+) ([0-9]+)$")
    execute_process(COMMAND chown -h "${CMAKE_MATCH_2}" "${WORK}/${CMAKE_MATCH_1}"
                    COMMAND_ERROR_IS_FATAL ANY)
  elseif(line MATCHES "^age ([^ ]+) ([0-9]+)$")
    string(TIMESTAMP now "%s" UTC)
    math(EXPR changed "${now} - ${CMAKE_MATCH_2} * 60")
    execute_process(COMMAND touch -h -d "@${changed}" "${WORK}/${CMAKE_MATCH_1}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()

# "generate.cmake" makes inputs too large to keep in the repository: it writes into the user
# folder, and into "${WORK}/server-root", which the update server then serves instead of the demo
# folder. The user folder's files it names in `generated_unchanged` must be left as it made them.
set(generated_unchanged)
set(update_root "${UPDATE_ROOT}")
if(EXISTS "${CASE}/generate.cmake")
  include("${CASE}/generate.cmake")
  foreach(name IN LISTS generated_unchanged)
    file(COPY "${user_folder}/${name}" DESTINATION "${WORK}/generated-expected")
  endforeach()
  if(EXISTS "${WORK}/server-root")
    set(update_root "${WORK}/server-root")
  endif()
endif()

# "planted.txt": entries that stand in the user folder before the session, as another program or
# another person might leave them: lines "fifo NAME" (a named pipe) or "link NAME" (a link to
# "outside/NAME" in the scratch folder, a name that does not exist yet). After the session each
# must stand as it was, and nothing may have been written outside the user folder.
set(planted_fifos)
set(planted_links)
if(EXISTS "${CASE}/planted.txt")
  file(MAKE_DIRECTORY "${WORK}/outside")
  file(STRINGS "${CASE}/planted.txt" plantings)
  foreach(planting IN LISTS plantings)
    if(NOT planting MATCHES "^(fifo|link) (.+)$")
      message(FATAL_ERROR "${CASE}/planted.txt: \"${planting}\" is not \"fifo NAME\" or \"link NAME\"")
    endif()
    if(CMAKE_MATCH_1 STREQUAL "fifo")
      execute_process(COMMAND mkfifo "${user_folder}/${CMAKE_MATCH_2}" COMMAND_ERROR_IS_FATAL ANY)
      list(APPEND planted_fifos "${CMAKE_MATCH_2}")
    else()
      file(CREATE_LINK "${WORK}/outside/${CMAKE_MATCH_2}" "${user_folder}/${CMAKE_MATCH_2}" SYMBOLIC)
      list(APPEND planted_links "${CMAKE_MATCH_2}")
    endif()
  endforeach()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/../support/install_addons.cmake)

set(arguments --user-dir "${user_folder}" --script "${CASE}/session.script")
if(EXISTS "${CASE}/addons.txt")
  velmora_install_addons("${CASE}/addons.txt" "${addons_folder}")
  list(APPEND arguments --addons "${addons_folder}")
endif()
if(EXISTS "${CASE}/options.txt")
  file(STRINGS "${CASE}/options.txt" options)
  separate_arguments(options UNIX_COMMAND "${options}")
  list(APPEND arguments ${options})
endif()

# A case with "server.txt" runs against the demo update server at the update host's address,
# in a private network (tests/support/update_network.cmake), with the options in that file.
# Without one, the proxies are a closed port on loopback: a check fails at once and no session
# ever looks for the real update host.
include(${CMAKE_CURRENT_LIST_DIR}/../support/update_network.cmake)
set(server)
set(ENV{http_proxy} "http://127.0.0.1:9")
set(ENV{https_proxy} "http://127.0.0.1:9")
if(EXISTS "${CASE}/server.txt" AND NOT DEFINED SERVER_OPTIONS)
  file(STRINGS "${CASE}/server.txt" SERVER_OPTIONS)
endif()
if(DEFINED SERVER_OPTIONS)
  separate_arguments(server_options UNIX_COMMAND "${SERVER_OPTIONS}")
  velmora_update_network(server ROOT "${update_root}" WORK "${WORK}" SECONDS 250
                         OPTIONS ${server_options})
endif()
# A case with "nginx.txt" runs against a stock nginx serving the same folder as static files over
# https in the same private network, so that the download engine meets a web server that is not
# our own.
if(EXISTS "${CASE}/nginx.txt")
  velmora_update_network_only(server WORK "${WORK}")
  list(APPEND server bash "${CMAKE_CURRENT_LIST_DIR}/../../scripts/nginx-update-server.sh"
       "${UPDATE_ROOT}" 443 --tls "${CERTIFICATES}/good" --)
endif()
string(TIMESTAMP session_start "%s" UTC)
# A case with "partner.script" runs a second velmora-host at the same time, with the same folders
# and options, as a second copy of the host that the same user runs (execute_process starts the
# commands of one call together, as a pipeline; each writes its own transcript). The two meet
# through "signal" and "wait-for" files in the scratch folder, their current folder. The partner's
# transcript must equal "partner-expected.txt", and it must end with status 0.
if(EXISTS "${CASE}/partner.script")
  list(TRANSFORM arguments REPLACE "/session\\.script$" "/partner.script" OUTPUT_VARIABLE
       partner_arguments)
  execute_process(
    COMMAND ${server} ${EMULATOR} "${RUNNER}" ${arguments} --output "${WORK}/transcript.txt"
    COMMAND ${EMULATOR} "${RUNNER}" ${partner_arguments} --output "${WORK}/partner-transcript.txt"
    WORKING_DIRECTORY "${WORK}"
    ERROR_VARIABLE errors
    RESULTS_VARIABLE results
    TIMEOUT 280)
  list(GET results 0 result)
  list(GET results 1 partner_result)
else()
  execute_process(
    COMMAND ${server} ${EMULATOR} "${RUNNER}" ${arguments}
    OUTPUT_FILE "${WORK}/transcript.txt"
    ERROR_VARIABLE errors
    RESULT_VARIABLE result
    TIMEOUT 280)
endif()
velmora_update_network_skipped("${result}" skipped)
if(server AND skipped)
  if(UPDATE)
    message(FATAL_ERROR "${CASE}: its expected files are written anew only as root")
  endif()
  return()
endif()

# A case whose script holds commands that must fail gives the status the run ends with in
# "status.txt" (1); the transcript shows each failure.
set(expected_status 0)
if(EXISTS "${CASE}/status.txt")
  file(STRINGS "${CASE}/status.txt" expected_status LIMIT_COUNT 1)
endif()
set(failed FALSE)
if(NOT result EQUAL expected_status)
  message(SEND_ERROR "velmora-host ended with ${result} instead of ${expected_status}")
  set(failed TRUE)
endif()
if(EXISTS "${CASE}/partner.script" AND NOT partner_result EQUAL 0)
  message(SEND_ERROR "the partner velmora-host ended with ${partner_result}")
  set(failed TRUE)
endif()
# Each expected file of the case beside what the run made. With UPDATE, a run that ended as it
# should makes them anew; everything after this is checked as in a test.
set(write_anew FALSE)
if(UPDATE AND NOT failed)
  set(write_anew TRUE)
endif()
set(pairs "expected.txt|${WORK}/transcript.txt")
if(EXISTS "${CASE}/partner.script")
  list(APPEND pairs "partner-expected.txt|${WORK}/partner-transcript.txt")
endif()
file(GLOB expected_files RELATIVE "${CASE}/expected-user" "${CASE}/expected-user/*")
foreach(name IN LISTS expected_files)
  list(APPEND pairs "expected-user/${name}|${user_folder}/${name}")
endforeach()
foreach(pair IN LISTS pairs)
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 expected)
  list(GET pair 1 made)
  if(NOT EXISTS "${made}")
    message(SEND_ERROR "the run left no ${made} to compare with ${expected}")
    set(failed TRUE)
    continue()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${CASE}/${expected}" "${made}"
                  RESULT_VARIABLE differs)
  if(differs AND write_anew)
    file(COPY_FILE "${made}" "${CASE}/${expected}")
    message(STATUS "written anew: ${CASE}/${expected}")
  elseif(differs)
    execute_process(COMMAND diff -u --text "${CASE}/${expected}" "${made}"
                    OUTPUT_VARIABLE difference)
    message(SEND_ERROR "${made} differs from ${expected}:\n${difference}")
    set(failed TRUE)
  endif()
endforeach()
# "expected-settings.txt": lines "FILE NAME VALUE", each a setting that the settings file of the
# user folder must hold (the first record of that name). A value "NOW" is a time in seconds
# taken during the session.
if(EXISTS "${CASE}/expected-settings.txt")
  string(TIMESTAMP session_end "%s" UTC)
  file(STRINGS "${CASE}/expected-settings.txt" records)
  foreach(record IN LISTS records)
    if(NOT record MATCHES "^([^ ]+) ([^ ]+) (.*)$")
      message(FATAL_ERROR "${CASE}/expected-settings.txt: \"${record}\" is not FILE NAME VALUE")
    endif()
    set(file_name "${CMAKE_MATCH_1}")
    set(setting_name "${CMAKE_MATCH_2}")
    set(expected "${CMAKE_MATCH_3}")
    if(NOT EXISTS "${user_folder}/${file_name}")
      message(SEND_ERROR "the user folder holds no \"${file_name}\" for \"${setting_name}\"")
      set(failed TRUE)
      continue()
    endif()
    file(READ "${user_folder}/${file_name}" hex HEX)
    velmora_halves_exchanged("${hex}" text)
    string(REGEX MATCH "\\$${setting_name}: ([^\r\n]*)\r\n" found "${text}")
    set(value "${CMAKE_MATCH_1}")
    if(NOT found)
      message(SEND_ERROR "\"${file_name}\" holds no \"${setting_name}\"")
      set(failed TRUE)
    elseif(expected STREQUAL "NOW")
      if(NOT value MATCHES "^[0-9]+$" OR value LESS session_start OR value GREATER session_end)
        message(SEND_ERROR "\"${setting_name}\" is \"${value}\", not a time of the session "
                           "(${session_start} to ${session_end})")
        set(failed TRUE)
      endif()
    elseif(NOT value STREQUAL expected)
      message(SEND_ERROR "\"${setting_name}\" is \"${value}\", not \"${expected}\"")
      set(failed TRUE)
    endif()
  endforeach()
endif()
foreach(name IN LISTS generated_unchanged)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/generated-expected/${name}"
            "${user_folder}/${name}"
    RESULT_VARIABLE differs)
  if(differs)
    message(SEND_ERROR "the user folder's \"${name}\" is not left as it was made")
    set(failed TRUE)
  endif()
endforeach()
foreach(name IN LISTS planted_fifos)
  execute_process(COMMAND test -p "${user_folder}/${name}" RESULT_VARIABLE not_fifo)
  if(not_fifo)
    message(SEND_ERROR "the pipe \"${name}\" planted in the user folder is gone or changed")
    set(failed TRUE)
  endif()
endforeach()
foreach(name IN LISTS planted_links)
  set(target)
  if(IS_SYMLINK "${user_folder}/${name}")
    file(READ_SYMLINK "${user_folder}/${name}" target)
  endif()
  if(NOT target STREQUAL "${WORK}/outside/${name}")
    message(SEND_ERROR "the link \"${name}\" planted in the user folder is gone or changed")
    set(failed TRUE)
  endif()
endforeach()
if(planted_links)
  file(GLOB written_outside "${WORK}/outside/*")
  if(written_outside)
    message(SEND_ERROR "written outside the user folder, through a link: ${written_outside}")
    set(failed TRUE)
  endif()
endif()
foreach(line IN LISTS folder_lines)
  if(line MATCHES "^(copy|expect) ([^ ]+) (.+)$")
    set(source "${CMAKE_MATCH_2}")
    set(place "${CMAKE_MATCH_3}")
    file(GLOB_RECURSE names RELATIVE "${CASE}/${source}" "${CASE}/${source}/*")
    foreach(name IN LISTS names)
      execute_process(
        COMMAND ${CMAKE_COMMAND} -E compare_files "${CASE}/${source}/${name}"
                "${WORK}/${place}/${name}"
        RESULT_VARIABLE differs)
      if(differs)
        message(SEND_ERROR "\"${place}/${name}\" differs from the case's \"${source}/${name}\"")
        set(failed TRUE)
      endif()
    endforeach()
  elseif(line MATCHES "^absent (.+)$")
    file(GLOB present LIST_DIRECTORIES true "${WORK}/${CMAKE_MATCH_1}")
    if(present OR EXISTS "${WORK}/${CMAKE_MATCH_1}" OR IS_SYMLINK "${WORK}/${CMAKE_MATCH_1}")
      message(SEND_ERROR "\"${CMAKE_MATCH_1}\" is there")
      set(failed TRUE)
    endif()
  elseif(line MATCHES "^link ([^ ]+) (.+)$")
    set(target "${CMAKE_MATCH_2}")
    set(link "${WORK}/${CMAKE_MATCH_1}")
    set(now "")
    if(IS_SYMLINK "${link}")
      file(READ_SYMLINK "${link}" now)
    endif()
    if(NOT now STREQUAL target)
      message(SEND_ERROR "\"${CMAKE_MATCH_1}\" is no longer a link to \"${target}\"")
      set(failed TRUE)
    endif()
  endif()
endforeach()
if(failed)
  # What the session said on its error output, and what the update server was asked.
  if(errors)
    message("velmora-host's error output:\n${errors}")
  endif()
  if(EXISTS "${WORK}/server.log")
    file(READ "${WORK}/server.log" requests)
    message("the update server's log:\n${requests}")
  endif()
  message(FATAL_ERROR "case ${CASE} failed; its output is in ${WORK}")
endif()

# Runs session.script in velmora-host against the demo update server, with the add-ons of
# addons.txt and a fresh user folder, then checks the pictures it wrote there: one dialog drawn
# twice gives the same bytes, "screenshot-all" names each open dialog's picture by its resource,
# and each picture of `pictures` is close to its reference in GOLDEN (at most `max_pixels`
# pixels differ in some channel by more than `max_channel`).
# With -DUPDATE_GOLDENS=ON the pictures replace the references instead.
#
#   cmake -DRUNNER=<velmora-host> -DCOMPARE=<velmora-compare-png> [-DEMULATOR=<wine-run.sh>]
#         -DBUILD_ADDONS=<dir> -DBUILD_MEMBERS=<dir> -DUPDATE_SERVER=<program>
#         -DUPDATE_ROOT=<dir> -DCERTIFICATES=<dir> -DCASE=<this folder> -DGOLDEN=<dir>
#         -DWORK=<scratch folder>
#         [-DUPDATE_GOLDENS=ON] -P run_screenshots.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../support/install_addons.cmake)

set(pictures language.png update_results.png)
set(max_channel 48)
set(max_pixels 400)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/user")
velmora_install_addons("${CASE}/addons.txt" "${WORK}/addons")

include(${CMAKE_CURRENT_LIST_DIR}/../support/update_network.cmake)
velmora_update_network(server ROOT "${UPDATE_ROOT}" WORK "${WORK}" SECONDS 100)
execute_process(
  COMMAND ${server} ${EMULATOR} "${RUNNER}" --addons "${WORK}/addons" --user-dir "${WORK}/user"
          --script "${CASE}/session.script"
  OUTPUT_FILE "${WORK}/transcript.txt"
  ERROR_VARIABLE errors
  RESULT_VARIABLE result
  TIMEOUT 120)
velmora_update_network_skipped("${result}" skipped)
if(skipped)
  return()
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "velmora-host ended with ${result}: ${errors}; see ${WORK}/transcript.txt")
endif()

foreach(picture IN LISTS pictures ITEMS language-again.png)
  if(NOT EXISTS "${WORK}/user/${picture}")
    message(FATAL_ERROR "the session drew no ${picture}: see ${WORK}/transcript.txt")
  endif()
endforeach()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/user/language.png"
          "${WORK}/user/language-again.png"
  RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "the same dialog drawn twice gave different files (${WORK}/user)")
endif()

# Every open dialog under its resource number: the palette and the update results.
file(GLOB every_dialog RELATIVE "${WORK}/user/all" "${WORK}/user/all/*")
if(NOT every_dialog STREQUAL "32400.png;32500.png")
  message(FATAL_ERROR "screenshot-all wrote \"${every_dialog}\", not 32400.png and 32500.png")
endif()

if(UPDATE_GOLDENS)
  file(MAKE_DIRECTORY "${GOLDEN}")
  foreach(picture IN LISTS pictures)
    file(COPY "${WORK}/user/${picture}" DESTINATION "${GOLDEN}")
    message(STATUS "${GOLDEN}/${picture} written")
  endforeach()
  return()
endif()

set(failed FALSE)
foreach(picture IN LISTS pictures)
  execute_process(
    COMMAND ${EMULATOR} "${COMPARE}" "${GOLDEN}/${picture}" "${WORK}/user/${picture}"
            ${max_channel} ${max_pixels}
    OUTPUT_VARIABLE report
    ERROR_VARIABLE problem
    RESULT_VARIABLE differs)
  message(STATUS "${picture}: ${report}${problem}")
  if(differs)
    message(SEND_ERROR "${picture} differs from ${GOLDEN}/${picture}: ${report}${problem}")
    set(failed TRUE)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "the pictures are in ${WORK}/user")
endif()

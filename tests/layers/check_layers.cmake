# The module's folders include one another only downwards: the foundation reaches the shell only
# through its door to the host, the subsystems do not reach the shell's own pieces, the platform
# layer knows nothing of ours, the host knows none of the module's folders, and no two units (a header and its source) depend on each other,
# directly or through others.
# Usage: cmake -DSOURCE_DIR=<repository> -P check_layers.cmake
cmake_minimum_required(VERSION 3.20)

set(scanned_folders shell foundation settings members update about platform host)
set(subsystems settings members update about)
set(module_folders shell foundation ${subsystems})

set(faults "")
set(units "")

function(forbid file included reason)
  set(faults ${faults} "${file} includes ${included}: ${reason}" PARENT_SCOPE)
endfunction()

foreach(folder IN LISTS scanned_folders)
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h
       ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file IN LISTS files)
    string(REGEX REPLACE "\\.(h|cpp)$" "" unit ${file})
    list(APPEND units ${unit})
    file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^#include \"[^\"]+\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
      string(REGEX REPLACE "\\.h$" "" included_unit ${included})
      string(REGEX REPLACE "/.*" "" included_folder ${included})

      if(folder STREQUAL "foundation" AND NOT included STREQUAL "shell/host_interface.h"
         AND included_folder MATCHES "^(shell|settings|members|update|about)$")
        forbid(${file} ${included} "the foundation reaches the shell only through its door")
      endif()
      if(folder IN_LIST subsystems AND included_folder STREQUAL "shell"
         AND NOT included STREQUAL "shell/host_interface.h")
        forbid(${file} ${included} "a subsystem reaches the shell only through its door")
      endif()
      if(folder STREQUAL "platform" AND NOT included_folder STREQUAL "platform"
         AND EXISTS ${SOURCE_DIR}/${included})
        forbid(${file} ${included} "the platform layer takes plain types and knows nothing of ours")
      endif()
      if(folder STREQUAL "host" AND included_folder IN_LIST module_folders)
        forbid(${file} ${included} "the host knows only what a module registers")
      endif()

      if(NOT included_unit STREQUAL unit AND EXISTS ${SOURCE_DIR}/${included})
        string(MAKE_C_IDENTIFIER ${unit} key)
        list(APPEND uses_${key} ${included_unit})
      endif()
    endforeach()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES units)

# Everything each unit reaches through the units it includes.
foreach(unit IN LISTS units)
  string(MAKE_C_IDENTIFIER ${unit} key)
  set(reached "")
  set(pending ${uses_${key}})
  while(pending)
    list(POP_FRONT pending next)
    if(next IN_LIST reached)
      continue()
    endif()
    list(APPEND reached ${next})
    string(MAKE_C_IDENTIFIER ${next} next_key)
    list(APPEND pending ${uses_${next_key}})
  endwhile()
  set(reaches_${key} ${reached})
endforeach()

# A unit that reaches itself is in a cycle with every unit it reaches that reaches it back.
set(cycles "")
foreach(unit IN LISTS units)
  string(MAKE_C_IDENTIFIER ${unit} key)
  if(unit IN_LIST reaches_${key})
    set(cycle "")
    foreach(other IN LISTS reaches_${key})
      string(MAKE_C_IDENTIFIER ${other} other_key)
      if(unit IN_LIST reaches_${other_key})
        list(APPEND cycle ${other})
      endif()
    endforeach()
    list(SORT cycle)
    list(JOIN cycle " <-> " cycle)
    if(NOT cycle IN_LIST cycles)
      list(APPEND cycles "${cycle}")
      list(APPEND faults "units that depend on each other: ${cycle}")
    endif()
  endif()
endforeach()

list(LENGTH units unit_count)
if(faults)
  list(JOIN faults "\n  " listed)
  message(FATAL_ERROR "Layering faults among ${unit_count} units:\n  ${listed}")
endif()
list(JOIN scanned_folders " " scanned)
message(STATUS "${unit_count} units in ${scanned}: every include points down, no cycle")

# The release's version, its date and the module's name are written once, in the top
# CMakeLists.txt: a second copy in the module, the tools or the packaging would still show the
# old release after the next one. Tests, documents and the demo may quote them.
# Usage: cmake -DSOURCE_DIR=<repository> -DVERSION=<version> -DRELEASE_DATE=<date>
#              -DMODULE_NAME=<name> -P written_once.cmake
cmake_minimum_required(VERSION 3.25)

set(patterns)
foreach(fact IN ITEMS "${VERSION}" "${RELEASE_DATE}" "${MODULE_NAME}")
  string(REGEX REPLACE "([][.()/+*?^$\\\\])" "\\\\\\1" pattern "${fact}")
  list(APPEND patterns "${pattern}")
endforeach()
list(JOIN patterns "|" any_fact)

set(copies)
foreach(folder IN ITEMS acapi platform shell foundation settings members update about resources
                        tools packaging cmake)
  file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/*")
  foreach(file IN LISTS files)
    file(STRINGS "${SOURCE_DIR}/${file}" lines REGEX "${any_fact}")
    foreach(line IN LISTS lines)
      string(APPEND copies "\n  ${file}: ${line}")
    endforeach()
  endforeach()
endforeach()
if(copies)
  message(FATAL_ERROR "the release's identity is written again:${copies}")
endif()

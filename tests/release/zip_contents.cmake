# The zip is the add-on folder as a person copies it: "Velmora/" with the module, those of the
# menu's three documents that the documents folder holds (nothing else of it), the read-me and
# the licence; the installer holds the same files, and both hold the module as built. The
# read-me names the release.
include(${CASE}/release_support.cmake)

file(WRITE "${WORK}/documents/Velmora User Manual.pdf" "guide")
file(WRITE "${WORK}/documents/SOFTWARE LICENSE.pdf" "licence")
file(WRITE "${WORK}/documents/Velmora - New features.pdf.bak" "not a document of the menu")
velmora_make_packages("${WORK}/packages" "-DDOCUMENTS_FOLDER=${WORK}/documents")

set(expected "${MODULE_NAME}.apx" "LICENSE.txt" "README.txt" "SOFTWARE LICENSE.pdf"
             "Velmora User Manual.pdf")
list(SORT expected)
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf "${WORK}/packages/${package_name}.zip"
                OUTPUT_VARIABLE listing)
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" entries "${listing}")
list(SORT entries)
set(expected_entries ${expected})
list(TRANSFORM expected_entries PREPEND "Velmora/")
if(NOT entries STREQUAL expected_entries)
  message(SEND_ERROR "the zip holds \"${entries}\", not \"${expected_entries}\"")
endif()
velmora_msi_files("${WORK}/packages/${package_name}.msi" installed)
if(NOT installed STREQUAL expected)
  message(SEND_ERROR "the installer holds \"${installed}\", not \"${expected}\"")
endif()

file(ARCHIVE_EXTRACT INPUT "${WORK}/packages/${package_name}.zip" DESTINATION "${WORK}/zip")
execute_process(COMMAND "${MSIEXTRACT}" -C "${WORK}/msi" "${WORK}/packages/${package_name}.msi"
                OUTPUT_QUIET)
# Both copies hold the staged folder's files, and the stage the files as built and written.
set(stage "${WORK}/packages/work/stage/Velmora")
set(pairs "${MODULE}" "${stage}/${MODULE_NAME}.apx"
          "${WORK}/documents/SOFTWARE LICENSE.pdf" "${stage}/SOFTWARE LICENSE.pdf")
foreach(copy IN ITEMS "zip/Velmora" "msi/GRAPHISOFT/ArchiCAD ${HOST_VERSION}/Add-Ons/Velmora")
  foreach(name IN LISTS expected)
    list(APPEND pairs "${stage}/${name}" "${WORK}/${copy}/${name}")
  endforeach()
endforeach()
while(pairs)
  list(POP_FRONT pairs source copy)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${source}" "${copy}"
                  RESULT_VARIABLE differs)
  if(differs)
    message(SEND_ERROR "\"${copy}\" is not \"${source}\"")
  endif()
endwhile()
# The texts (ASCII) end their lines as the system they are for does. file(READ) as text would
# drop the CRs: read the bytes.
foreach(text IN ITEMS README.txt LICENSE.txt)
  file(READ "${WORK}/zip/Velmora/${text}" bytes HEX)
  string(REPLACE "0d0a" "" bytes "${bytes}")
  if(bytes MATCHES "0d|0a")
    message(SEND_ERROR "${text} has a line end other than CR LF")
  endif()
endforeach()
file(STRINGS "${WORK}/zip/Velmora/README.txt" title LIMIT_COUNT 1)
if(NOT title MATCHES "^Velmora ${VERSION} \\(${RELEASE_DATE}\\) for ArchiCAD ${HOST_VERSION},")
  message(SEND_ERROR "the read-me begins \"${title}\"")
endif()

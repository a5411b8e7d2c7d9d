# The zip is the add-on folder as a person copies it: "Velmora/" with the module as built, those
# of the menu's three documents that the documents folder holds (nothing else of it), the
# read-me and the licence with Windows line ends; the installer holds the same files, byte for
# byte. The read-me names the release.
include(${CASE}/release_support.cmake)

file(WRITE "${WORK}/documents/Velmora User Manual.pdf" "guide")
file(WRITE "${WORK}/documents/SOFTWARE LICENSE.pdf" "licence")
file(WRITE "${WORK}/documents/Velmora - New features.pdf.bak" "not a document of the menu")
velmora_make_packages("${WORK}/packages" "-DDOCUMENTS_FOLDER=${WORK}/documents")
file(ARCHIVE_EXTRACT INPUT "${WORK}/packages/${package_name}.zip" DESTINATION "${WORK}/zip")
execute_process(COMMAND "${MSIEXTRACT}" -C "${WORK}/msi" "${WORK}/packages/${package_name}.msi"
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

set(expected "LICENSE.txt" "README.txt" "SOFTWARE LICENSE.pdf" "Velmora User Manual.pdf"
             "${MODULE_NAME}.apx")
list(SORT expected)
list(TRANSFORM expected PREPEND "Velmora/" OUTPUT_VARIABLE expected)
velmora_folder_entries("${WORK}/zip" entries)
if(NOT entries STREQUAL "Velmora;${expected}")
  message(SEND_ERROR "the zip holds \"${entries}\", not \"Velmora;${expected}\"")
endif()
velmora_folder_print("${WORK}/zip/Velmora" zip)
velmora_folder_print("${WORK}/msi/GRAPHISOFT/ArchiCAD ${HOST_VERSION}/Add-Ons/Velmora" msi)
if(NOT msi STREQUAL zip)
  message(SEND_ERROR "the installer holds \"${msi}\", the zip \"${zip}\"")
endif()
file(SHA256 "${MODULE}" module)
file(SHA256 "${WORK}/documents/SOFTWARE LICENSE.pdf" document)
if(NOT "${MODULE_NAME}.apx ${module}" IN_LIST zip OR NOT "SOFTWARE LICENSE.pdf ${document}" IN_LIST zip)
  message(SEND_ERROR "the zip's module or document is not the file it was made from: ${zip}")
endif()

# The texts (ASCII) end their lines with CR LF. (file(READ) as text would drop the CRs.)
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

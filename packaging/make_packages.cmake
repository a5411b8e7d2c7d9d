# Makes the release packages from a built module: the add-on folder as a person copies it
# (Velmora-<version>-win64.zip) and the installer (Velmora-<version>-win64.msi), signed when a
# code-signing certificate is given. The `package` target runs it with the build's values; the
# tests run it again with another version or certificate.
#
#   cmake -DVERSION=<a.b.c.d> -DRELEASE_DATE=<DD/MM/YYYY> -DHOST_VERSION=<n> -DMODULE=<module>
#         -DDOCUMENTS_FOLDER=<folder> -DOUT=<folder> -DWIXL=<wixl> -DOSSLSIGNCODE=<program>
#         [-DSIGN_PKCS12=<file.p12> -DSIGN_PASSWORD_FILE=<file> [-DSIGN_TIMESTAMP_URL=<url>]]
#         -P make_packages.cmake
#
# OUT receives the two packages and, in OUT/work, the staged folder and the installer's
# generated sources.
cmake_minimum_required(VERSION 3.25)

foreach(required IN ITEMS VERSION RELEASE_DATE HOST_VERSION MODULE DOCUMENTS_FOLDER OUT WIXL)
  if(NOT ${required})
    message(FATAL_ERROR "make_packages: ${required} is not given")
  endif()
endforeach()
if(NOT EXISTS "${MODULE}")
  message(FATAL_ERROR "make_packages: no module at ${MODULE}")
endif()
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.[0-9]+\\.([0-9]+)$")
  message(FATAL_ERROR "make_packages: the version \"${VERSION}\" must have four numbers")
endif()
# The installer compares major.minor.build: the third number is the build, the release's fourth.
set(installer_version "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}")
string(REGEX REPLACE "^.*/" "" COPYRIGHT_YEAR "${RELEASE_DATE}")
set(package_name "Velmora-${VERSION}-win64")
set(signing OFF)
if(SIGN_PKCS12)
  set(signing ON)
  foreach(file IN ITEMS SIGN_PKCS12 SIGN_PASSWORD_FILE OSSLSIGNCODE)
    if(NOT EXISTS "${${file}}")
      message(FATAL_ERROR "make_packages: signing needs ${file}, and \"${${file}}\" is no file")
    endif()
  endforeach()
endif()

# Signs a file in place with osslsigncode, timestamped when a server is given.
function(sign file)
  set(timestamp)
  if(SIGN_TIMESTAMP_URL)
    set(timestamp -ts "${SIGN_TIMESTAMP_URL}")
  endif()
  execute_process(
    COMMAND "${OSSLSIGNCODE}" sign -pkcs12 "${SIGN_PKCS12}" -readpass "${SIGN_PASSWORD_FILE}"
            -n Velmora -h sha256 ${timestamp} -in "${file}" -out "${file}.signed"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    # Nothing half signed is left to ship by mistake.
    file(REMOVE "${file}.signed" "${OUT}/${package_name}.zip" "${OUT}/${package_name}.msi")
    message(FATAL_ERROR "make_packages: osslsigncode could not sign ${file}:\n${output}")
  endif()
  file(RENAME "${file}.signed" "${file}")
endfunction()

# The add-on folder: the module, the documents the menu opens that this release has, the read-me
# and the licence. Text files get Windows line ends, for the editors of the system they are for.
set(work "${OUT}/work")
set(stage "${work}/stage/Velmora")
file(REMOVE_RECURSE "${work}" "${OUT}/${package_name}.zip" "${OUT}/${package_name}.msi")
file(MAKE_DIRECTORY "${stage}")
get_filename_component(MODULE_FILE "${MODULE}" NAME)
file(COPY "${MODULE}" DESTINATION "${stage}")
set(files "${MODULE_FILE}")
foreach(document IN ITEMS "Velmora User Manual.pdf" "Velmora - New features.pdf"
                          "SOFTWARE LICENSE.pdf")
  if(EXISTS "${DOCUMENTS_FOLDER}/${document}")
    file(COPY "${DOCUMENTS_FOLDER}/${document}" DESTINATION "${stage}")
    list(APPEND files "${document}")
  endif()
endforeach()
get_filename_component(packaging "${CMAKE_SCRIPT_MODE_FILE}" DIRECTORY)
configure_file("${packaging}/README.txt.in" "${stage}/README.txt" @ONLY NEWLINE_STYLE CRLF)
configure_file("${packaging}/LICENSE.txt.in" "${stage}/LICENSE.txt" @ONLY NEWLINE_STYLE CRLF)
list(APPEND files README.txt LICENSE.txt)

if(signing)
  sign("${stage}/${MODULE_FILE}")
endif()

# The zip holds the folder "Velmora" with its files, dated the release's day.
string(REGEX REPLACE "^(..)/(..)/(....)$" "\\3-\\2-\\1 00:00:00" release_time "${RELEASE_DATE}")
set(entries "${files}")
list(TRANSFORM entries PREPEND "Velmora/")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E tar cf "${OUT}/${package_name}.zip" --format=zip
          "--mtime=${release_time}" -- ${entries}
  WORKING_DIRECTORY "${work}/stage" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_packages: the zip could not be written")
endif()

# The installer's codes are derived, never drawn: the upgrade code names the host edition (every
# release for ArchiCAD 16 replaces the one before, and never one for another host), the product
# code one release, and a component's code its file in that edition's folder.
set(namespace "6d0b5f1e-2c41-4e57-9a3b-8f1c7e2d4a90")
string(UUID upgrade_code NAMESPACE ${namespace} NAME "Velmora AC${HOST_VERSION}0" TYPE SHA1)
string(UUID product_code NAMESPACE ${upgrade_code} NAME "release ${VERSION}" TYPE SHA1)
string(UUID folder_guid NAMESPACE ${upgrade_code} NAME "folder" TYPE SHA1)
set(components "<Include>\n")
set(references "<Include>\n")
foreach(name IN LISTS files)
  string(MAKE_C_IDENTIFIER "${name}" id)
  string(UUID guid NAMESPACE ${upgrade_code} NAME "file ${name}" TYPE SHA1)
  string(APPEND components
         "  <Component Id=\"c${id}\" Guid=\"${guid}\" Win64=\"yes\">\n"
         "    <File Id=\"f${id}\" Name=\"${name}\" Source=\"${name}\" KeyPath=\"yes\"/>\n"
         "  </Component>\n")
  string(APPEND references "  <ComponentRef Id=\"c${id}\"/>\n")
endforeach()
file(WRITE "${work}/wix/files.wxi" "${components}</Include>\n")
file(WRITE "${work}/wix/feature.wxi" "${references}</Include>\n")

# wixl finds the files' sources from its working folder only.
execute_process(
  COMMAND "${WIXL}" --arch x64 -I "${work}/wix" -D "Version=${VERSION}"
          -D "InstallerVersion=${installer_version}" -D "HostVersion=${HOST_VERSION}"
          -D "ProductCode=${product_code}" -D "UpgradeCode=${upgrade_code}"
          -D "FolderComponentGuid=${folder_guid}"
          -D "RegistryKey=Software\\Velmora\\AC${HOST_VERSION}0"
          -o "${OUT}/${package_name}.msi" "${packaging}/velmora.wxs"
  WORKING_DIRECTORY "${stage}" RESULT_VARIABLE status OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  file(REMOVE "${OUT}/${package_name}.msi")
  message(FATAL_ERROR "make_packages: wixl could not build the installer:\n${output}")
endif()

if(signing)
  sign("${OUT}/${package_name}.msi")
  message(STATUS "Velmora packages in ${OUT}: ${package_name}.zip and .msi, signed with "
                 "${SIGN_PKCS12}")
else()
  message(STATUS "Velmora packages in ${OUT}: ${package_name}.zip and .msi, NOT SIGNED (no "
                 "code-signing certificate given: VELMORA_SIGNING_PKCS12)")
endif()

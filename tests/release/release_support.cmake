cmake_minimum_required(VERSION 3.25)
# What the release cases share. They are given the build's arguments of make_packages.cmake
# (VERSION, RELEASE_DATE, HOST_VERSION, MODULE, DOCUMENTS_FOLDER, WIXL, OSSLSIGNCODE, ...) and
# PACKAGING, MSIINFO, MSIEXTRACT, OPENSSL, RUNNER, EMULATOR, MODULE_NAME, PACKAGE_PREFIX, CASE
# and WORK. A failed check is a SEND_ERROR: the case goes on, and ends with status 1.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(package_name "Velmora-${VERSION}-win64")

# velmora_make_packages(<out> [-D<NAME>=<value>...]): the packages made anew in <out> with the
# build's arguments, changed by those given, unsigned unless they say otherwise. The script's
# output is in `package_output`.
function(velmora_make_packages out)
  set(arguments)
  foreach(name IN ITEMS VERSION RELEASE_DATE HOST_VERSION MODULE DOCUMENTS_FOLDER WIXL
                        OSSLSIGNCODE)
    list(APPEND arguments "-D${name}=${${name}}")
  endforeach()
  execute_process(
    COMMAND "${CMAKE_COMMAND}" ${arguments} -DSIGN_PKCS12= ${ARGN} "-DOUT=${out}"
            -P "${PACKAGING}/make_packages.cmake"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the packages could not be made:\n${output}")
  endif()
  set(package_output "${output}" PARENT_SCOPE)
endfunction()

# velmora_msi_files(<msi> <out>): the file names of the installer's File table, sorted.
function(velmora_msi_files msi out)
  execute_process(COMMAND "${MSIINFO}" export "${msi}" File OUTPUT_VARIABLE table
                  COMMAND_ERROR_IS_FATAL ANY)
  # The rows after the three of headings: key, component, name, ...
  string(REGEX MATCHALL "\n[^\t\n]+\t[^\t\n]+\t[^\t\n]+\t[0-9]" rows "${table}")
  list(TRANSFORM rows REPLACE "^\n[^\t]+\t[^\t]+\t([^\t]+)\t.*$" "\\1")
  list(SORT rows)
  set(${out} "${rows}" PARENT_SCOPE)
endfunction()

# velmora_folder_entries(<folder> <out>): the files and folders under <folder>, relative, sorted.
function(velmora_folder_entries folder out)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${folder}" "${folder}/*")
  list(SORT entries)
  set(${out} "${entries}" PARENT_SCOPE)
endfunction()

# velmora_folder_print(<folder> <out>): each entry of <folder> with its content's hash, so that
# two prints are equal when the folder has not changed.
function(velmora_folder_print folder out)
  velmora_folder_entries("${folder}" entries)
  set(print)
  foreach(name IN LISTS entries)
    set(hash "folder")
    if(NOT IS_DIRECTORY "${folder}/${name}")
      file(SHA256 "${folder}/${name}" hash)
    endif()
    list(APPEND print "${name} ${hash}")
  endforeach()
  set(${out} "${print}" PARENT_SCOPE)
endfunction()

# velmora_session(<addons> <user>): session.script in velmora-host with the modules of <addons>
# and the settings folder <user>; the transcript must be session.expected.in with the release's
# facts filled in.
function(velmora_session addons user)
  file(MAKE_DIRECTORY "${user}")
  configure_file("${CASE}/session.expected.in" "${WORK}/session.expected" @ONLY)
  # A closed port as proxy: the session never looks for the real update host.
  set(ENV{http_proxy} "http://127.0.0.1:9")
  execute_process(
    COMMAND ${EMULATOR} "${RUNNER}" --addons "${addons}" --user-dir "${user}"
            --script "${CASE}/session.script"
    OUTPUT_FILE "${WORK}/session.txt" ERROR_VARIABLE errors RESULT_VARIABLE status
    TIMEOUT 120)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "velmora-host ended with ${status} on the hub in ${addons}: ${errors}")
  endif()
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E compare_files --ignore-eol "${WORK}/session.expected"
            "${WORK}/session.txt"
    RESULT_VARIABLE differs)
  if(differs)
    execute_process(COMMAND diff -u "${WORK}/session.expected" "${WORK}/session.txt"
                    OUTPUT_VARIABLE difference)
    message(SEND_ERROR "the session of the hub in ${addons} differs:\n${difference}")
  endif()
endfunction()

# The installer through Wine's msiexec, as an office's administrator runs it, silently, in a
# prefix made for this case (an install changes the prefix's registry, which the other tests'
# prefix must not see):
#  1. an install into a folder given on the command line holds exactly the installer's files,
#     and the hub runs a session from there, showing the release's version;
#  2. an uninstall by product code, as from the system's list of programs, finds that folder and
#     removes it all;
#  3. an older release (a lower version, with a document this one no longer ships) in one folder
#     upgraded by this one given another: the older folder is gone, the other holds this
#     release's files only;
#  4. an uninstall from the package removes every file and folder again.
# The add-ons folder's other add-on and the user's settings folder stay byte for byte throughout.
include(${CASE}/release_support.cmake)

file(WRITE "${WORK}/documents/Velmora User Manual.pdf" "guide")
velmora_make_packages("${WORK}/packages" "-DDOCUMENTS_FOLDER=${WORK}/documents")
set(package "${WORK}/packages/${package_name}.msi")
file(WRITE "${WORK}/older-documents/Velmora User Manual.pdf" "older guide")
file(WRITE "${WORK}/older-documents/Velmora - New features.pdf" "older features")
# The release before this one: its build number one lower.
string(REGEX MATCH "^(.*\\.)([0-9]+)$" matched "${VERSION}")
if(CMAKE_MATCH_2 EQUAL 0)
  message(FATAL_ERROR "no lower version beside ${VERSION}: the case needs a build number above 0")
endif()
math(EXPR older_build "${CMAKE_MATCH_2} - 1")
set(older_version "${CMAKE_MATCH_1}${older_build}")
velmora_make_packages("${WORK}/older" "-DVERSION=${older_version}"
                      "-DDOCUMENTS_FOLDER=${WORK}/older-documents")
set(older_package "${WORK}/older/Velmora-${older_version}-win64.msi")

set(addons "${WORK}/Add-Ons")
file(WRITE "${addons}/Other (AC160).apx" "another maker's add-on")
# The folder given to msiexec as INSTALLDIR.
function(given folder out)
  string(REPLACE "/" "\\" windows "INSTALLDIR=Z:${folder}")
  set(${out} "${windows}" PARENT_SCOPE)
endfunction()

set(wine /usr/lib/wine/wine64)
set(ENV{WINEPREFIX} "${PACKAGE_PREFIX}")
set(ENV{WINEDEBUG} "-all")
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
# A prefix of the last run may still have its server: end it, then start from a new prefix.
execute_process(COMMAND /usr/lib/wine/wineserver -k ERROR_QUIET)
file(REMOVE_RECURSE "${PACKAGE_PREFIX}")
# One Wine session lasts the case: one that Wine ends by itself between two msiexec runs would
# end the next one with status 1 and no word (cmake/wine-session.sh). What Wine starts writes to
# files, never to a pipe of this script's, which a session's background programs would hold open.
file(MAKE_DIRECTORY "${PACKAGE_PREFIX}")
execute_process(COMMAND /usr/lib/wine/wineserver -p60
                INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
execute_process(COMMAND ${wine} wineboot --init TIMEOUT 180
                INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE /dev/null)

# msiexec <arguments> /qn; any status but 0 fails the case, showing what Wine said.
function(msiexec)
  set(log "${WORK}/msiexec.log")
  execute_process(COMMAND ${wine} msiexec ${ARGN} /qn RESULT_VARIABLE status TIMEOUT 120
                  INPUT_FILE /dev/null OUTPUT_FILE "${log}" ERROR_FILE "${log}")
  if(NOT status EQUAL 0)
    file(READ "${log}" said)
    message(FATAL_ERROR "msiexec ${ARGN} /qn ended with ${status}:\n${said}")
  endif()
endfunction()

# <folder> holds exactly the installer's files.
function(expect_installed msi folder when)
  velmora_msi_files("${msi}" files)
  velmora_folder_entries("${folder}" entries)
  if(NOT entries STREQUAL files)
    message(SEND_ERROR "${when}: the folder holds \"${entries}\", not \"${files}\"")
  endif()
endfunction()

# The add-ons folder's entries match <pattern>, and the user folder is as it was.
function(expect_left pattern when)
  velmora_folder_entries("${addons}" entries)
  if(NOT entries MATCHES "${pattern}")
    message(SEND_ERROR "${when}: the add-ons folder holds \"${entries}\"")
  endif()
  velmora_folder_print("${WORK}/user" user_now)
  if(NOT user_now STREQUAL user_before)
    message(SEND_ERROR "${when}: the user folder holds \"${user_now}\", not \"${user_before}\"")
  endif()
endfunction()
set(only_other "^Other \\(AC160\\)\\.apx$")

given("${addons}/Velmora" first)
msiexec(/i "${package}" "${first}")
expect_installed("${package}" "${addons}/Velmora" "installed")
velmora_session("${addons}/Velmora" "${WORK}/user")
velmora_folder_print("${WORK}/user" user_before)
execute_process(COMMAND "${MSIINFO}" export "${package}" Property OUTPUT_VARIABLE properties)
string(REGEX MATCH "ProductCode\t([^\r\n]+)" found "${properties}")
msiexec(/x "${CMAKE_MATCH_1}")
expect_left("${only_other}" "uninstalled by product code")

msiexec(/i "${older_package}" "${first}")
expect_installed("${older_package}" "${addons}/Velmora" "older release installed")
given("${addons}/Velmora ${VERSION}" second)
msiexec(/i "${package}" "${second}")
expect_installed("${package}" "${addons}/Velmora ${VERSION}" "upgraded")
expect_left("^Other \\(AC160\\)\\.apx;Velmora ${VERSION};" "upgraded")
msiexec(/x "${package}")
expect_left("${only_other}" "uninstalled from the package")

execute_process(COMMAND /usr/lib/wine/wineserver -k ERROR_QUIET)

# Runs "velmora-catalogue preview" of the demo catalogue with the member tools of a transcript
# case installed, each reporting its demo version and library lines, and checks that it prints
# the headline, the rows and the message of the case's first results window. With PICTURE it
# also asks for the picture and checks that it is a PNG file of the window's size, 788 x 534.
#
#   cmake -DCATALOGUE=<velmora-catalogue> -DCATALOGUE_FILE=<versions.txt> -DCASE=<case folder>
#         -DROWS=<demo member rows, "|" fields, "," between rows> [-DPICTURE=<png>]
#         -P run_preview.cmake
cmake_policy(SET CMP0007 NEW)
file(STRINGS "${CASE}/addons.txt" installed_modules)
string(REPLACE "," ";" rows "${ROWS}")
set(arguments)
foreach(module IN LISTS installed_modules)
  foreach(row IN LISTS rows)
    string(REPLACE "|" ";" fields "${row}")
    list(GET fields 0 name)
    if(module STREQUAL "${name} (AC160).apx")
      list(GET fields 1 version_line)
      list(GET fields 2 library_line)
      list(APPEND arguments --installed "${version_line}")
      if(library_line)
        list(APPEND arguments --library "${library_line}")
      endif()
    endif()
  endforeach()
endforeach()
if(PICTURE)
  file(REMOVE "${PICTURE}")
  list(APPEND arguments --picture "${PICTURE}")
endif()
execute_process(
  COMMAND "${CATALOGUE}" preview "${CATALOGUE_FILE}" ${arguments}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE result
  TIMEOUT 150)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "preview ended with ${result}:\n${output}${errors}")
endif()

# The first results window of the transcript, printed as the preview prints it.
file(STRINGS "${CASE}/expected.txt" transcript)
set(expected)
set(state before)
foreach(line IN LISTS transcript)
  if(state STREQUAL "before" AND line MATCHES "^DIALOG .* resource 32500 ")
    set(state window)
  elseif(state STREQUAL "window")
    if(line MATCHES "^  4 [^\"]*(\".*)$")
      string(APPEND expected "headline: ${CMAKE_MATCH_1}\nrows:\n")
    elseif(line MATCHES "^      [0-9]")
      string(APPEND expected "${line}\n")
    elseif(line MATCHES "^  6 [^\"]*(\".*)$")
      string(APPEND expected "message: ${CMAKE_MATCH_1}\n")
      set(state after)
    endif()
  elseif(state STREQUAL "after" AND line MATCHES "^OPEN: (.*)$")
    string(APPEND expected "link: ${CMAKE_MATCH_1}\n")
    break()
  endif()
endforeach()
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "the preview differs from the first results window of "
                      "${CASE}/expected.txt:\n--- expected\n${expected}--- printed\n${output}"
                      "--- its error output\n${errors}")
endif()

if(PICTURE)
  file(READ "${PICTURE}" header LIMIT 24 HEX)
  # The PNG signature, the IHDR chunk, then width and height as 32-bit big-endian numbers.
  if(NOT header STREQUAL "89504e470d0a1a0a0000000d494844520000031400000216")
    message(FATAL_ERROR "${PICTURE} is no PNG file of 788 x 534 pixels: ${header}")
  endif()
endif()

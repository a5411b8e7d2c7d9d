# The release's identity, from the top CMakeLists.txt: the suite's version (project(VERSION)),
# its date (VELMORA_RELEASE_DATE) and the host it is made for (VELMORA_HOST_VERSION). Everything
# that shows or compares them takes them from here:
#   velmora_version, an interface library whose header "resources/velmora_version.h" holds them
#     for the code (the About box, the report, the update comparison, the catalogue tool);
#   VELMORA_MODULE_NAME, the module file's name without ".apx" (which is also its name for the
#     host), and VELMORA_HOST_TAG;
#   VELMORA_VERSION_MAJOR ... VELMORA_VERSION_BUILD and VELMORA_COPYRIGHT_YEAR for the version
#     resource and the packages.

# A wrong version reaches every user's About box and the installer's upgrade decision: refuse it
# here, with a clear message, before anything is built from it.
if(NOT PROJECT_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "The version \"${PROJECT_VERSION}\" in CMakeLists.txt must be four "
                      "numbers separated by dots")
endif()
set(VELMORA_VERSION_MAJOR ${CMAKE_MATCH_1})
set(VELMORA_VERSION_MINOR ${CMAKE_MATCH_2})
set(VELMORA_VERSION_PATCH ${CMAKE_MATCH_3})
set(VELMORA_VERSION_BUILD ${CMAKE_MATCH_4})
# The installer reads major.minor.build as its product version, whose fields end at 255, 255 and
# 65535; the version resource takes four 16-bit numbers.
if(VELMORA_VERSION_MAJOR GREATER 255 OR VELMORA_VERSION_MINOR GREATER 255
   OR VELMORA_VERSION_PATCH GREATER 65535 OR VELMORA_VERSION_BUILD GREATER 65535)
  message(FATAL_ERROR "The version \"${PROJECT_VERSION}\" is out of range: at most "
                      "255.255.65535.65535")
endif()

if(NOT VELMORA_RELEASE_DATE MATCHES "^(0[1-9]|[12][0-9]|3[01])/(0[1-9]|1[0-2])/([0-9][0-9][0-9][0-9])$")
  message(FATAL_ERROR "The release date \"${VELMORA_RELEASE_DATE}\" in CMakeLists.txt must be "
                      "a day written DD/MM/YYYY")
endif()
set(VELMORA_COPYRIGHT_YEAR ${CMAKE_MATCH_3})

if(NOT VELMORA_HOST_VERSION MATCHES "^[1-9][0-9]?$")
  message(FATAL_ERROR "The host version \"${VELMORA_HOST_VERSION}\" in CMakeLists.txt must be "
                      "the host's main version, a number from 1 to 99")
endif()
set(VELMORA_HOST_TAG "AC${VELMORA_HOST_VERSION}0")
# Named after the host edition, not the release, so that every release for one host replaces
# the file of the one before.
set(VELMORA_MODULE_NAME "Velmora ${VELMORA_HOST_VERSION}.0 (${VELMORA_HOST_TAG})")

configure_file(${CMAKE_SOURCE_DIR}/resources/velmora_version.h.in
               ${CMAKE_BINARY_DIR}/generated/resources/velmora_version.h @ONLY)
add_library(velmora_version INTERFACE)
target_include_directories(velmora_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

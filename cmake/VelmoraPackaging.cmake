# The release packages of the Windows build (docs/releasing.md):
#
#   cmake --build --preset windows --target package
#
# writes build/windows/packages/Velmora-<version>-win64.zip and .msi with
# packaging/make_packages.cmake, signed when VELMORA_SIGNING_PKCS12 names a certificate. Sets
# VELMORA_PACKAGE_ARGUMENTS, the script's arguments for this build, which the tests reuse.
find_program(VELMORA_WIXL wixl)
find_program(VELMORA_OSSLSIGNCODE osslsigncode)
if(NOT VELMORA_WIXL OR NOT VELMORA_OSSLSIGNCODE)
  message(FATAL_ERROR "The packages need wixl and osslsigncode: bash scripts/install-deps.sh all")
endif()

set(VELMORA_DOCUMENTS_FOLDER ${CMAKE_SOURCE_DIR}/demo/documents CACHE PATH
    "Where the documents that the menu opens are taken from for the packages")
set(VELMORA_SIGNING_PKCS12 "" CACHE FILEPATH
    "The maker's code-signing certificate with its key (PKCS#12); empty: packages unsigned")
set(VELMORA_SIGNING_PASSWORD_FILE "" CACHE FILEPATH
    "A file whose first line is the certificate's password")
set(VELMORA_SIGNING_TIMESTAMP_URL "" CACHE STRING
    "An RFC 3161 timestamp server for the signatures (optional)")

set(VELMORA_PACKAGE_ARGUMENTS
    -DVERSION=${PROJECT_VERSION}
    -DRELEASE_DATE=${VELMORA_RELEASE_DATE}
    -DHOST_VERSION=${VELMORA_HOST_VERSION}
    -DMODULE=$<TARGET_FILE:velmora_module>
    -DDOCUMENTS_FOLDER=${VELMORA_DOCUMENTS_FOLDER}
    -DWIXL=${VELMORA_WIXL}
    -DOSSLSIGNCODE=${VELMORA_OSSLSIGNCODE}
    -DSIGN_PKCS12=${VELMORA_SIGNING_PKCS12}
    -DSIGN_PASSWORD_FILE=${VELMORA_SIGNING_PASSWORD_FILE}
    -DSIGN_TIMESTAMP_URL=${VELMORA_SIGNING_TIMESTAMP_URL})

# Not part of "all": packages are made when a release is, and the tests make their own.
add_custom_target(package
  COMMAND ${CMAKE_COMMAND} ${VELMORA_PACKAGE_ARGUMENTS} -DOUT=${CMAKE_BINARY_DIR}/packages
          -P ${CMAKE_SOURCE_DIR}/packaging/make_packages.cmake
  COMMENT "Making the Velmora packages"
  VERBATIM)
add_dependencies(package velmora_module)

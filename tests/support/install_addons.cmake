# velmora_install_addons(<addons.txt> <folder>): copies the modules that <addons.txt> names, one
# per line, into <folder>: the hub and its documents from BUILD_ADDONS, member tools from
# BUILD_MEMBERS (or a path relative to it, such as "../test-members/NAME (AC160).apx"). A name
# with "*" is a pattern of BUILD_MEMBERS: "* (AC160).apx" installs every demo member tool, one per
# row of the member table.
function(velmora_install_addons list_file folder)
  file(MAKE_DIRECTORY "${folder}")
  file(STRINGS "${list_file}" names)
  foreach(name IN LISTS names)
    if(name MATCHES "\\*")
      file(GLOB modules "${BUILD_MEMBERS}/${name}")
      if(NOT modules)
        message(FATAL_ERROR "${list_file}: no module of ${BUILD_MEMBERS} matches \"${name}\"")
      endif()
      file(COPY ${modules} DESTINATION "${folder}")
    elseif(EXISTS "${BUILD_ADDONS}/${name}")
      file(COPY "${BUILD_ADDONS}/${name}" DESTINATION "${folder}")
    else()
      file(COPY "${BUILD_MEMBERS}/${name}" DESTINATION "${folder}")
    endif()
  endforeach()
endfunction()

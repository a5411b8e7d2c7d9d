# The update server where the hub looks for it: velmora-update-server on 127.0.0.1:443 with a
# certificate of the tests' own authority, inside a private network in which the update host's
# name is that address and that authority the only trusted one (scripts/update-network.sh).
#
# velmora_update_network(<out> ROOT <folder> WORK <folder> SECONDS <s> [OPTIONS <option>...])
# sets <out> to the command that runs a command after it (add it to the list) there: the server
# serves ROOT for at most SECONDS seconds, logs its requests to WORK/server.log and takes the
# OPTIONS after its own (a later "--tls" replaces "--tls good"). Needs UPDATE_SERVER, CERTIFICATES
# (the build's certificate folder), RUNNER and, for the Windows build, EMULATOR, whose Wine
# prefix the private network gets a writable layer of.
#
# velmora_update_network_only(<out> WORK <folder>) sets <out> to the private network alone, for
# a server of the caller's own choosing, which then comes after it.
#
# velmora_update_network_skipped(<result> <out>): whether a run ended because it was not root; it
# then says "SKIPPED", which the tests' SKIP_REGULAR_EXPRESSION takes for a skipped test.
set(velmora_update_network_script ${CMAKE_CURRENT_LIST_DIR}/../../scripts/update-network.sh)

function(velmora_update_network_only out)
  cmake_parse_arguments(ARG "" "WORK" "" ${ARGN})
  set(command bash "${velmora_update_network_script}" "${CERTIFICATES}" "${ARG_WORK}/network")
  if(EMULATOR)
    execute_process(COMMAND ${EMULATOR} --prefix "${RUNNER}" OUTPUT_VARIABLE prefix
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    list(APPEND command --layer "${prefix}")
  endif()
  list(APPEND command --)
  set(${out} ${command} PARENT_SCOPE)
endfunction()

function(velmora_update_network out)
  cmake_parse_arguments(ARG "" "ROOT;WORK;SECONDS" "OPTIONS" ${ARGN})
  velmora_update_network_only(command WORK "${ARG_WORK}")
  list(APPEND command "${UPDATE_SERVER}" --root "${ARG_ROOT}" --port 443 --direct yes
       --certificates "${CERTIFICATES}" --tls good --max-seconds ${ARG_SECONDS}
       --log "${ARG_WORK}/server.log" ${ARG_OPTIONS} --)
  set(${out} ${command} PARENT_SCOPE)
endfunction()

function(velmora_update_network_skipped result out)
  set(skipped FALSE)
  if(result EQUAL 77)
    message("SKIPPED: the update server's private network needs root")
    set(skipped TRUE)
  endif()
  set(${out} ${skipped} PARENT_SCOPE)
endfunction()

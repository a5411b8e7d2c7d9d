# velmora-catalogue, the maker's catalogue tool, runs on the build machine and previews catalogues
# with this build's host, hub and stand-in members. Sets VELMORA_CATALOGUE_PROGRAM.
#
# The native build adds its folder with the paths of its own programs. The Windows cross build
# builds the tool a second time as a native project of its own (this source tree configured with
# VELMORA_CATALOGUE_ONLY: the hub's reader and the host library it stands on, for the build
# machine), whose previews run the Windows host, hub and members under Wine.
# The preview's hub reaches the update host over plain http (shell/CMakeLists.txt).
set(VELMORA_PREVIEW_HUB_FOLDER ${CMAKE_BINARY_DIR}/bin/preview-hub)
set(VELMORA_PREVIEW_MEMBER_FOLDER ${CMAKE_BINARY_DIR}/bin/preview-members)
if(CMAKE_CROSSCOMPILING)
  set(binary_dir ${CMAKE_BINARY_DIR}/native/velmora-catalogue)
  ExternalProject_Add(velmora-catalogue-native
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${binary_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DVELMORA_CATALOGUE_ONLY=ON
               -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
               -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}
               -DVELMORA_PREVIEW_HOST=${CMAKE_BINARY_DIR}/bin/velmora-host.exe
               -DVELMORA_PREVIEW_EMULATOR=${CMAKE_SOURCE_DIR}/cmake/wine-run.sh
               -DVELMORA_PREVIEW_HUB_FOLDER=${VELMORA_PREVIEW_HUB_FOLDER}
               -DVELMORA_PREVIEW_MEMBER_FOLDER=${VELMORA_PREVIEW_MEMBER_FOLDER}
               -DVELMORA_PREVIEW_UPDATE_SERVER=${VELMORA_UPDATE_SERVER_PROGRAM}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${binary_dir}/bin/velmora-catalogue)
  add_dependencies(velmora-catalogue-native velmora-host velmora_preview_hub velmora_preview_members
                   ${VELMORA_UPDATE_SERVER_TARGET})
  set(VELMORA_CATALOGUE_PROGRAM ${binary_dir}/bin/velmora-catalogue)
else()
  set(VELMORA_PREVIEW_HOST $<TARGET_FILE:velmora-host>)
  set(VELMORA_PREVIEW_EMULATOR "")
  set(VELMORA_PREVIEW_UPDATE_SERVER ${VELMORA_UPDATE_SERVER_PROGRAM})
  add_subdirectory(${CMAKE_SOURCE_DIR}/tools/velmora-catalogue)
  add_dependencies(velmora-catalogue velmora-host velmora_preview_hub velmora_preview_members
                   ${VELMORA_UPDATE_SERVER_TARGET})
  set(VELMORA_CATALOGUE_PROGRAM $<TARGET_FILE:velmora-catalogue>)
endif()

# Draws the module's icons and bitmaps from resources/pictures/*.pic at build time with
# velmora-picturegen and DejaVu Sans. VELMORA_PICTURE_RESOURCES is the resource source that embeds
# them under their resource numbers (from resources/pictures/pictures.txt.in); a module that
# carries it depends on the target velmora_pictures.
include(VelmoraNativeTool)
velmora_native_tool(velmora-picturegen ${CMAKE_SOURCE_DIR}/tools/picturegen)

find_file(VELMORA_FONT_REGULAR DejaVuSans.ttf PATHS /usr/share/fonts/truetype/dejavu REQUIRED
          NO_CMAKE_FIND_ROOT_PATH)
find_file(VELMORA_FONT_BOLD DejaVuSans-Bold.ttf PATHS /usr/share/fonts/truetype/dejavu REQUIRED
          NO_CMAKE_FIND_ROOT_PATH)

file(GLOB velmora_picture_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/pictures/*.pic)
set(velmora_picture_dir ${CMAKE_BINARY_DIR}/generated/pictures)
set(velmora_picture_files)
foreach(velmora_picture_source IN LISTS velmora_picture_sources)
  get_filename_component(velmora_picture_name ${velmora_picture_source} NAME_WE)
  list(APPEND velmora_picture_files ${velmora_picture_dir}/${velmora_picture_name}.bmp)
endforeach()
add_custom_command(
  OUTPUT ${velmora_picture_files}
  COMMAND ${VELMORA_PICTUREGEN_PROGRAM} ${VELMORA_FONT_REGULAR} ${VELMORA_FONT_BOLD}
          ${velmora_picture_dir} ${velmora_picture_sources}
  DEPENDS ${VELMORA_PICTUREGEN_TARGET} ${velmora_picture_sources}
  COMMENT "Drawing the module's pictures"
  VERBATIM)
add_custom_target(velmora_pictures DEPENDS ${velmora_picture_files})

set(VELMORA_PICTURE_RESOURCES ${CMAKE_BINARY_DIR}/generated/pictures.txt)
configure_file(${CMAKE_SOURCE_DIR}/resources/pictures/pictures.txt.in
               ${VELMORA_PICTURE_RESOURCES} @ONLY)

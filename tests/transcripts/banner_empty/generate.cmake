# The demo catalogue, with a banner of no bytes beside it.
file(COPY "${update_root}/update_plugins/versions.txt"
     DESTINATION "${WORK}/server-root/update_plugins")
file(WRITE "${WORK}/server-root/update_plugins/banner.jpg" "")

# The demo catalogue, and the banners the update host serves in turn under the banner's name.
file(COPY "${update_root}/update_plugins/versions.txt"
     DESTINATION "${WORK}/server-root/update_plugins")
file(COPY "${CASE}/banners" DESTINATION "${WORK}/server-root")

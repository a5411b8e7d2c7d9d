# One line more than the reader takes: a tool and 65,536 comment lines.
string(REPEAT "\n*" 65536 comments)
file(WRITE "${WORK}/server-root/update_plugins/versions.txt"
     "Velmora 16.0.0.1700 (AC160) 20/09/2012${comments}")

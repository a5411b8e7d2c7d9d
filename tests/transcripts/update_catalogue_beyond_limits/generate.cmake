# A line of one field more than the reader takes.
string(REPEAT " INT" 61 flags)
file(WRITE "${WORK}/server-root/update_plugins/versions.txt"
     "Velmora 16.0.0.1700 (AC160) 20/09/2012${flags}")

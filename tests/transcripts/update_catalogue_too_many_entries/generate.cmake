# One entry more than the reader takes: 4,097 blank lines, each an add-on entry.
string(REPEAT "\n" 4096 blank_lines)
file(WRITE "${WORK}/server-root/update_plugins/versions.txt"
     "Velmora 16.0.0.1700 (AC160) 20/09/2012${blank_lines}")

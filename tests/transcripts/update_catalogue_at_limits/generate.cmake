# A catalogue at every limit of the reader: as many entries, lines and fields as it takes. One
# tool with 64 fields and a description line for every line left; the other entries blank lines.
string(REPEAT " INT" 60 flags)
string(REPEAT "\n#" 61440 description)
string(REPEAT "\n" 4095 blank_lines)
file(WRITE "${WORK}/server-root/update_plugins/versions.txt"
     "Velmora 16.0.0.1700 (AC160) 20/09/2012${flags}${description}${blank_lines}")

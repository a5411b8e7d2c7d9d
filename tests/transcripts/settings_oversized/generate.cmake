# Settings files beyond what the stores read: the shared file holds one record more than a store
# keeps, the hub's own file is longer than its working buffer. Both stay as they are.
velmora_scrambled("$Language: 3\r\n" language)
velmora_scrambled("$a: \n" tiny)
string(REPEAT "${tiny}" 1000 tiny_records)
file(WRITE "${WORK}/user/TarnPlugins.cfg" "${language}${tiny_records}")

velmora_scrambled("$AutoUpdate: 0\r\n$LastUpdateCheck_160: 0\r\n$Notes: " records)
velmora_scrambled("v" long_value)
string(REPEAT "${long_value}" 100000 long_value)
file(WRITE "${WORK}/user/Velmora_160.cfg" "${records}${long_value}")

set(generated_unchanged TarnPlugins.cfg Velmora_160.cfg)

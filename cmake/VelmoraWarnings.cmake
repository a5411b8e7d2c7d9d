# One warning level for every target of ours.
add_library(velmora_warnings INTERFACE)
target_compile_options(velmora_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align -Wformat=2 -Wundef
  $<$<CXX_COMPILER_ID:GNU>:-Wno-attributes>
  # GCC 12 reports std::string concatenations of optimised builds as overlapping copies
  # (its bug 105329); the warning says nothing about our code.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)

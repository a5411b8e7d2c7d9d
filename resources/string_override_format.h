// The one number the writer of "100_s.txt" and the module's loader must agree on: each stored
// text byte is the text byte minus this offset, modulo 256 (velmora-rescomp skips this file).
#pragma once

#include <cstdint>

namespace string_override_format {

constexpr std::uint8_t kScrambleOffset = 0x5A;

}  // namespace string_override_format

// Little-endian numbers and fixed-size text fields appended to a payload.
#pragma once

#include <cstdint>
#include <string_view>

#include "resource_set.h"

namespace rescomp {

void AppendLittleEndian16(Bytes& bytes, std::uint16_t value);
void AppendLittleEndian32(Bytes& bytes, std::uint32_t value);
void AppendBytes(Bytes& bytes, std::string_view text);
// `text` then zeros up to `fieldSize` bytes; the caller has checked that the text leaves room
// for at least one zero.
void AppendZeroPadded(Bytes& bytes, std::string_view text, std::size_t fieldSize);
// A 32-bit count of the bytes of `body`, then `body`.
Bytes WithByteCount(const Bytes& body);

}  // namespace rescomp

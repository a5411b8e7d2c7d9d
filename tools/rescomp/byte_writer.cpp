#include "byte_writer.h"

namespace rescomp {

void AppendLittleEndian16(Bytes& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

void AppendLittleEndian32(Bytes& bytes, std::uint32_t value) {
    AppendLittleEndian16(bytes, static_cast<std::uint16_t>(value));
    AppendLittleEndian16(bytes, static_cast<std::uint16_t>(value >> 16));
}

void AppendBytes(Bytes& bytes, std::string_view text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

void AppendZeroPadded(Bytes& bytes, std::string_view text, std::size_t fieldSize) {
    AppendBytes(bytes, text);
    bytes.insert(bytes.end(), fieldSize - text.size(), 0);
}

Bytes WithByteCount(const Bytes& body) {
    Bytes bytes;
    AppendLittleEndian32(bytes, static_cast<std::uint32_t>(body.size()));
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

}  // namespace rescomp

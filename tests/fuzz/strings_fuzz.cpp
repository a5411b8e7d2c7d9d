// Any bytes as the module's string lists (both string types, in the languages read): the host's
// list reader and the module's fetch, with its override lookup and code page conversion, never
// read outside the list and always deliver a terminated text within the fetch buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "foundation/nx_localized.h"

extern "C" bool StringsFuzz_FetchAll(const unsigned char* bytes, std::uint32_t size,
                                     char (&firstGeneral)[kFetchBufferSize]);

namespace {

// Text 1 of a list whose count covers its terminator, when it is plain ASCII and fits the fetch
// buffer: what the fetch must deliver unchanged. Empty otherwise.
std::string_view PlainFirstText(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return {};
    }
    const std::uint32_t count =
        data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    const std::size_t end = count < size - 4 ? 4 + count : size;
    const auto* text = reinterpret_cast<const char*>(data + 4);
    const void* terminator = std::memchr(text, 0, end - 4);
    if (terminator == nullptr) {
        return {};
    }
    const std::string_view first(
        text, static_cast<std::size_t>(static_cast<const char*>(terminator) - text));
    for (const char c : first) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return {};
        }
    }
    return first.size() < kFetchBufferSize ? first : std::string_view();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input's size, so that a read past the list is one past the block.
    const std::unique_ptr<unsigned char[]> list(new unsigned char[size]);
    if (size != 0) {
        std::memcpy(list.get(), data, size);
    }
    char firstGeneral[kFetchBufferSize];
    if (!StringsFuzz_FetchAll(list.get(), static_cast<std::uint32_t>(size), firstGeneral)) {
        __builtin_trap();
    }
    const std::string_view expected = PlainFirstText(data, size);
    if (!expected.empty() && expected != firstGeneral) {
        __builtin_trap();
    }
    return 0;
}

// Any bytes as the name of a file in a folder the hub writes in: the sweep takes a name for a
// private file's only when it is exactly one that the hub makes, with the check it carries.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "foundation/nx_private_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view name(reinterpret_cast<const char*>(data), size);
    const std::optional<std::uint32_t> check = CheckInPrivateFileName(name);
    if (!check) {
        return 0;
    }
    for (int number = 1; number <= kPrivateFileNumbers; ++number) {
        if (PrivateFileName(*check, number) == name) {
            return 0;
        }
    }
    __builtin_trap();
}

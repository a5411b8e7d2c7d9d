// Any bytes as a maker's catalogue for velmora-catalogue check: the listing and every problem
// found are made without reading outside a text or a list.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "tools/velmora-catalogue/catalogue_check.h"

namespace {

// Bigger inputs only slow the search down; every check works line by line.
constexpr std::size_t kMaximumInput = std::size_t{64} * 1024;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    // The listing and the problems go to the standard output; the fuzzer reports on the error
    // output.
    return std::freopen("/dev/null", "w", stdout) != nullptr ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaximumInput) {
        return 0;
    }
    catalogue::CheckCatalogue(catalogue::CatalogueOfBytes(
        "fuzz.txt", std::string(reinterpret_cast<const char*>(data), size)));
    return 0;
}

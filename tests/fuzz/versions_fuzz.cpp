// Any bytes as the downloaded update catalogue: the reader never reads past the text, never
// takes more entries or flags than its limits, and every record it makes has its texts set (a
// date key may be null, nothing else).
#include <cstddef>
#include <cstdint>

#include "update/versions_file.h"

namespace {

// Bigger inputs only slow the search down; the reader cuts lines the same way at any size.
constexpr std::size_t kMaximumInput = std::size_t{64} * 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaximumInput) {
        return 0;
    }
    NX_List<NX_AddonUpdate_Message> messages;
    NX_List<NX_AddonUpdate_Addon> addons;
    NX_List<NX_AddonUpdate_Library> libraries;
    // A refused catalogue must leave the lists as bounded as a read one: both are checked.
    static_cast<void>(
        ParseVersionsText(reinterpret_cast<const char*>(data), size, messages, addons, libraries));
    if (messages.GetCount() + addons.GetCount() + libraries.GetCount() > kMaximumCatalogueEntries) {
        __builtin_trap();
    }
    for (int i = 0; i < addons.GetCount(); ++i) {
        if (addons[i].name.IsNull() || addons[i].description.IsNull() ||
            addons[i].languages.GetCount() > kMaximumLineFields) {
            __builtin_trap();
        }
    }
    for (int i = 0; i < libraries.GetCount(); ++i) {
        if (libraries[i].name.IsNull() || libraries[i].description.IsNull()) {
            __builtin_trap();
        }
    }
    for (int i = 0; i < messages.GetCount(); ++i) {
        if (messages[i].text.IsNull() || messages[i].link.IsNull()) {
            __builtin_trap();
        }
    }
    return 0;
}

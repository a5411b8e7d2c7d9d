// Any bytes as the downloaded update catalogue: the reader never reads past the text, never
// takes more entries or flags than its limits, and every record it makes has its texts set (a
// date key may be null, nothing else). A message's link, the one text the shell is handed, is
// empty or an http(s) address of at most 2,048 bytes of printable ASCII without a quote, a
// backslash or angle brackets.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "update/versions_file.h"
#include "update/web_link.h"

namespace {

// Bigger inputs only slow the search down; the reader cuts lines the same way at any size.
constexpr std::size_t kMaximumInput = std::size_t{64} * 1024;

bool IsSafeLink(std::string_view link) {
    if (link.empty()) {
        return true;
    }
    if ((!link.starts_with("http://") && !link.starts_with("https://")) ||
        link.size() > kMaximumLinkBytes) {
        return false;
    }
    for (const char c : link) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F ||
            std::string_view("\"'\\<>").find(c) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaximumInput) {
        return 0;
    }
    NX_List<NX_AddonUpdate_Message> messages;
    NX_List<NX_AddonUpdate_Addon> addons;
    NX_List<NX_AddonUpdate_Library> libraries;
    ParseVersionsText(reinterpret_cast<const char*>(data), size, messages, addons, libraries);
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
        if (messages[i].text.IsNull() || messages[i].link.IsNull() ||
            !IsSafeLink(messages[i].link.GetText())) {
            __builtin_trap();
        }
    }
    return 0;
}

#include "tools/velmora-catalogue/shown_text.h"

#include <vector>

#include "platform/text_codepage.h"

namespace catalogue {

std::string Utf8OfAnsi(const std::string& ansi) {
    using platform::CodePage;
    if (ansi.empty()) {
        return {};
    }
    const int length = static_cast<int>(ansi.size());
    std::vector<char16_t> wide(ansi.size());
    const int units =
        platform::MultiByteToWide(CodePage::Ansi, ansi.data(), length, wide.data(), length);
    std::string utf8(static_cast<std::size_t>(units) * 3, '\0');
    const int bytes = platform::WideToMultiByte(CodePage::Utf8, wide.data(), units, utf8.data(),
                                                static_cast<int>(utf8.size()));
    utf8.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
    return utf8;
}

std::string Quoted(const std::string& ansi) {
    std::string shown = "\"";
    for (const char c : Utf8OfAnsi(ansi)) {
        switch (c) {
            case '\r':
                shown += "\\r";
                break;
            case '\n':
                shown += "\\n";
                break;
            case '\t':
                shown += "\\t";
                break;
            case '"':
                shown += "\\\"";
                break;
            default:
                shown += c;
        }
    }
    return shown + "\"";
}

std::string Quoted(const NX_String& text) {
    return text.IsNull() ? "<null>" : Quoted(std::string(text.GetText()));
}

}  // namespace catalogue

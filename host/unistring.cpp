#include "acapi/gs_unistring.h"

#include <cstring>
#include <string>

#include "platform/text_codepage.h"

namespace GS {

namespace {

platform::CodePage CodePageOf(GSCharCode code) {
    return code == CC_UTF8 ? platform::CodePage::Utf8 : platform::CodePage::Ansi;
}

uchar_t* CopyText(const uchar_t* text, std::size_t length) {
    auto* copy = new uchar_t[length + 1];
    std::memcpy(copy, text, length * sizeof(uchar_t));
    copy[length] = 0;
    return copy;
}

}  // namespace

UniString::UniString() : text(CopyText(u"", 0)), length(0) {}

UniString::UniString(const char* source, GSCharCode code) : text(nullptr), length(0) {
    if (source == nullptr || *source == '\0') {
        text = CopyText(u"", 0);
        return;
    }
    const platform::CodePage codePage = CodePageOf(code);
    const int count = platform::MultiByteToWide(codePage, source, -1, nullptr, 0);
    std::u16string wide(count > 0 ? static_cast<std::size_t>(count) : 1, u'\0');
    if (count > 0) {
        platform::MultiByteToWide(codePage, source, -1, wide.data(), count);
    }
    length = std::char_traits<char16_t>::length(wide.c_str());
    text = CopyText(wide.c_str(), length);
}

UniString::UniString(const uchar_t* source)
    : length(source != nullptr ? std::char_traits<char16_t>::length(source) : 0) {
    text = CopyText(source != nullptr ? source : u"", length);
}

UniString::UniString(const UniString& other)
    : text(CopyText(other.text, other.length)), length(other.length) {}

UniString& UniString::operator=(const UniString& other) {
    if (this != &other) {
        uchar_t* copy = CopyText(other.text, other.length);
        delete[] text;
        text = copy;
        length = other.length;
    }
    return *this;
}

UniString::~UniString() {
    delete[] text;
}

std::size_t UniString::GetLength() const {
    return length;
}

const uchar_t* UniString::ToUStr() const {
    return text;
}

std::size_t UniString::ToCStr(char* buffer, std::size_t bufferSize, GSCharCode code) const {
    if (length == 0) {
        if (buffer != nullptr && bufferSize > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
    const platform::CodePage codePage = CodePageOf(code);
    const int needed =
        platform::WideToMultiByte(codePage, text, static_cast<int>(length), nullptr, 0);
    if (needed <= 0) {
        return 0;
    }
    if (buffer != nullptr && static_cast<std::size_t>(needed) < bufferSize) {
        platform::WideToMultiByte(codePage, text, static_cast<int>(length), buffer, needed);
        buffer[needed] = '\0';
    }
    return static_cast<std::size_t>(needed);
}

bool UniString::IsEqual(const UniString& other) const {
    return length == other.length && std::memcmp(text, other.text, length * sizeof(uchar_t)) == 0;
}

}  // namespace GS

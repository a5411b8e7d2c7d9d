#include "foundation/nx_string.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

#include "foundation/nx_allocate.h"
#include "platform/text_codepage.h"

namespace {

char* CopyOf(const char* text, std::size_t length) {
    char* array = NX_AllocateArray(length + 1);
    std::memcpy(array, text, length);
    array[length] = '\0';
    return array;
}

// The byte order of comparisons: signed 8-bit, so 0x80 to 0xFF come before 0x00 to 0x7F.
int CompareSigned(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const auto x = static_cast<signed char>(*a);
        const auto y = static_cast<signed char>(*b);
        if (x != y) {
            return x < y ? -1 : 1;
        }
        if (x == 0) {
            return 0;
        }
    }
}

unsigned char Lower(char c) {
    return platform::LowerAnsiChar(static_cast<unsigned char>(c));
}

bool MatchesAt(const char* text, const char* what, bool ignoreCase) {
    for (; *what != '\0'; ++text, ++what) {
        if (*text == '\0') {
            return false;
        }
        if (ignoreCase ? Lower(*text) != Lower(*what) : *text != *what) {
            return false;
        }
    }
    return true;
}

int FindFrom(const char* text, const char* what, int from, bool ignoreCase) {
    if (text == nullptr || what == nullptr || from < 0 || *what == '\0') {
        return -1;
    }
    const int length = NX_String::Length(text);
    for (int position = from; position < length; ++position) {
        if (MatchesAt(text + position, what, ignoreCase)) {
            return position;
        }
    }
    return -1;
}

}  // namespace

NX_String::NX_String(const char* text_) {
    if (text_ != nullptr) {
        text = CopyOf(text_, std::strlen(text_));
    }
}

NX_String::NX_String(const char* text_, int maxLength) {
    Set(text_, maxLength);
}

NX_String::NX_String(const NX_String& other) : NX_String(other.text) {}

NX_String::NX_String(NX_String&& other) noexcept : text(std::exchange(other.text, nullptr)) {}

NX_String::NX_String(const long& value, int width) {
    // "%*ld" with the width is the "%5ld" that the width stands for; 0 means no padding.
    char work[208];
    std::snprintf(work, sizeof work, "%*ld", width,
                  static_cast<long>(static_cast<std::int32_t>(value)));
    text = CopyOf(work, std::strlen(work));
}

NX_String::~NX_String() {
    Release();
}

void NX_String::Release() {
    NX_ReleaseArray(text);
    text = nullptr;
}

NX_String NX_String::Adopt(char* array) {
    NX_String adopted;
    adopted.text = array;
    return adopted;
}

NX_String& NX_String::operator=(const NX_String& other) {
    if (this != &other) {
        *this = other.text;
    }
    return *this;
}

NX_String& NX_String::operator=(NX_String&& other) noexcept {
    if (this != &other) {
        Release();
        text = std::exchange(other.text, nullptr);
    }
    return *this;
}

NX_String& NX_String::operator=(const char* text_) {
    char* copy = text_ != nullptr ? CopyOf(text_, std::strlen(text_)) : nullptr;
    Release();
    text = copy;
    return *this;
}

void NX_String::Set(const char* text_, int maxLength) {
    char* array = nullptr;
    if (text_ != nullptr && maxLength >= 0) {
        array = NX_AllocateArray(static_cast<std::size_t>(maxLength) + 1);
        int copied = 0;
        while (copied < maxLength && text_[copied] != '\0') {
            array[copied] = text_[copied];
            ++copied;
        }
        array[copied] = '\0';
    }
    Release();
    text = array;
}

void NX_String::SetJoined(const char* a, int maxA, const char* b, int maxB, const char* c,
                          int maxC) {
    if (maxA < 0 || maxB < 0 || maxC < 0) {
        Release();
        return;
    }
    const auto countOf = [](const char* part, int maximum) -> std::size_t {
        if (part == nullptr) {
            return 0;
        }
        const std::size_t length = std::strlen(part);
        return maximum == 0 || static_cast<std::size_t>(maximum) > length
                   ? length
                   : static_cast<std::size_t>(maximum);
    };
    const std::size_t countA = countOf(a, maxA);
    const std::size_t countB = countOf(b, maxB);
    const std::size_t countC = countOf(c, maxC);
    char* array = NX_AllocateArray(countA + countB + countC + 1);
    char* end = array;
    for (const auto& [part, count] : {std::pair{a, countA}, {b, countB}, {c, countC}}) {
        if (count > 0) {
            std::memcpy(end, part, count);
            end += count;
        }
    }
    *end = '\0';
    Release();
    text = array;
}

int NX_String::Length(const char* text) {
    return static_cast<int>(std::strlen(text));
}

NX_String NX_String::Joined(const char* first, const char* second) {
    if (first == nullptr || second == nullptr) {
        return {};
    }
    const std::size_t firstLength = std::strlen(first);
    const std::size_t secondLength = std::strlen(second);
    char* array = NX_AllocateArray(firstLength + secondLength + 1);
    // The terminator comes with the second part.
    std::memcpy(array, first, firstLength);  // NOLINT(bugprone-not-null-terminated-result)
    std::memcpy(array + firstLength, second, secondLength + 1);
    return Adopt(array);
}

NX_String NX_String::operator+(const char* other) const {
    return Joined(text, other);
}

NX_String NX_String::operator+(const NX_String& other) const {
    return Joined(text, other.text);
}

NX_String operator+(const char* text, const NX_String& s) {
    return NX_String::Joined(text, s.text);
}

NX_String& NX_String::operator+=(const char* other) {
    if (text == nullptr) {
        return *this;
    }
    if (other == nullptr) {
        Release();
        return *this;
    }
    *this = *this + other;
    return *this;
}

NX_String& NX_String::operator+=(const NX_String& other) {
    return *this += other.text;
}

bool NX_String::operator<(const NX_String& other) const {
    return text != nullptr && other.text != nullptr && CompareSigned(text, other.text) < 0;
}

bool NX_String::operator>(const NX_String& other) const {
    return text != nullptr && other.text != nullptr && CompareSigned(text, other.text) > 0;
}

bool NX_String::operator<=(const NX_String& other) const {
    return text != nullptr && other.text != nullptr && CompareSigned(text, other.text) <= 0;
}

bool NX_String::Equal(const char* a, const char* b) {
    return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
}

bool NX_String::EqualNoCase(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) {
        return false;
    }
    for (;; ++a, ++b) {
        if (Lower(*a) != Lower(*b)) {
            return false;
        }
        if (*a == '\0') {
            return true;
        }
    }
}

int NX_String::Find(const char* what, int from) const {
    return FindFrom(text, what, from, false);
}

int NX_String::FindNoCase(const char* what, int from) const {
    return FindFrom(text, what, from, true);
}

int NX_String::ReverseFind(const char* what) const {
    if (text == nullptr || what == nullptr || *text == '\0' || *what == '\0') {
        return -1;
    }
    const int length = Length(text);
    const int whatLength = Length(what);
    for (int position = length - whatLength; position >= 0; --position) {
        if (std::memcmp(text + position, what, static_cast<std::size_t>(whatLength)) == 0) {
            return position;
        }
    }
    return -1;
}

bool NX_String::IsAt(const char* what, int position) const {
    if (text == nullptr || what == nullptr || *what == '\0') {
        return false;
    }
    if (position != 0 && (position < 0 || position >= Length(text))) {
        return false;
    }
    return MatchesAt(text + position, what, false);
}

bool NX_String::EndsWith(const char* what) const {
    if (text == nullptr || what == nullptr || *what == '\0') {
        return false;
    }
    const std::size_t length = std::strlen(text);
    const std::size_t whatLength = std::strlen(what);
    return whatLength <= length && std::memcmp(text + length - whatLength, what, whatLength) == 0;
}

NX_String NX_String::Mid(int start) const {
    if (text == nullptr || start < 0 || start > Length(text)) {
        return {};
    }
    return NX_String(text + start);
}

NX_String NX_String::Mid(int start, int count) const {
    if (text == nullptr || count < 0 || start < 0 || start > Length(text)) {
        return {};
    }
    const int left = Length(text) - start;
    return NX_String(text + start, count < left ? count : left);
}

NX_String NX_String::ToLower() const {
    NX_String lower(text);
    if (lower.text != nullptr) {
        for (char* c = lower.text; *c != '\0'; ++c) {
            *c = static_cast<char>(Lower(*c));
        }
    }
    return lower;
}

NX_String NX_String::ToUpper() const {
    NX_String upper(text);
    if (upper.text != nullptr) {
        for (char* c = upper.text; *c != '\0'; ++c) {
            *c = static_cast<char>(platform::UpperAnsiChar(static_cast<unsigned char>(*c)));
        }
    }
    return upper;
}

NX_String NX_String::Replace(const char* what, const char* with) const {
    if (text == nullptr || what == nullptr || with == nullptr) {
        return {};
    }
    if (*what == '\0') {
        return *this;
    }
    const std::size_t whatLength = std::strlen(what);
    const std::size_t withLength = std::strlen(with);
    std::size_t occurrences = 0;
    for (const char* found = std::strstr(text, what); found != nullptr;
         found = std::strstr(found + whatLength, what)) {
        ++occurrences;
    }
    const std::size_t length = std::strlen(text);
    char* array =
        NX_AllocateArray(length + occurrences * withLength - occurrences * whatLength + 1);
    char* out = array;
    const char* in = text;
    for (const char* found = std::strstr(in, what); found != nullptr;
         found = std::strstr(in, what)) {
        std::memcpy(out, in, static_cast<std::size_t>(found - in));
        out += found - in;
        // The terminator comes with the tail after the loop.
        std::memcpy(out, with, withLength);  // NOLINT(bugprone-not-null-terminated-result)
        out += withLength;
        in = found + whatLength;
    }
    std::memcpy(out, in, std::strlen(in) + 1);
    return Adopt(array);
}

int NX_String::ToInt(const char* text) {
    if (text == nullptr || *text == '\0') {
        return 0;
    }
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    while (*text != '\0' && !isDigit(*text) && *text != '-') {
        ++text;
    }
    if (*text == '\0') {
        return 2147483647;
    }
    int sign = 1;
    if (*text == '-') {
        sign = -1;
        ++text;
        if (!isDigit(*text)) {
            return 0;
        }
    }
    // Wraps like the 32-bit arithmetic it stands for instead of overflowing.
    std::uint32_t value = 0;
    for (; isDigit(*text); ++text) {
        value = value * 10 + static_cast<std::uint32_t>(*text - '0');
    }
    return static_cast<int>(sign < 0 ? 0u - value : value);
}

NX_String NX_String::Format(const char* format, ...) {
    // Texts reaching the end of the work area are cut at 2047 bytes.
    char work[2048];
    va_list arguments;
    va_start(arguments, format);
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized): va_start is just above
    std::vsnprintf(work, sizeof work, format, arguments);
    va_end(arguments);
    return NX_String(work);
}

GS::UniString NX_String::ToUniString() const {
    return GS::UniString(GetText(), GS::CC_Default);
}

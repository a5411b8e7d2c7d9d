#include "foundation/nx_utf8.h"

#include <climits>
#include <cstddef>
#include <cstring>

#include "foundation/nx_allocate.h"
#include "platform/text_codepage.h"

namespace {

struct SequenceRule {
    unsigned char firstLow, firstHigh;    // lead bytes this rule covers
    unsigned char secondLow, secondHigh;  // the range of the byte after the lead
    int continuationCount;                // bytes after the lead
};

// The well-formed byte sequences of UTF-8, by lead byte.
constexpr SequenceRule kRules[] = {
    {0xC2, 0xDF, 0x80, 0xBF, 1}, {0xE0, 0xE0, 0xA0, 0xBF, 2}, {0xE1, 0xEC, 0x80, 0xBF, 2},
    {0xED, 0xED, 0x80, 0x9F, 2}, {0xEE, 0xEF, 0x80, 0xBF, 2}, {0xF0, 0xF0, 0x90, 0xBF, 3},
    {0xF1, 0xF3, 0x80, 0xBF, 3}, {0xF4, 0xF4, 0x80, 0x8F, 3},
};

const SequenceRule* RuleFor(unsigned char lead) {
    for (const SequenceRule& rule : kRules) {
        if (lead >= rule.firstLow && lead <= rule.firstHigh) {
            return &rule;
        }
    }
    return nullptr;
}

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// The UTF-16 work area, from the host's array allocator like every other allocation.
class WideText {
public:
    explicit WideText(int count)
        : array(NX_AllocateArray(static_cast<std::size_t>(count) * sizeof(char16_t))) {}
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;
    ~WideText() { NX_ReleaseArray(array); }
    char16_t* Units() { return reinterpret_cast<char16_t*>(array); }

private:
    char* array;
};

}  // namespace

bool NX_IsWellFormedUtf8(const char* text, bool requireMultiByte) {
    if (text == nullptr) {
        return false;
    }
    bool sawMultiByte = false;
    const auto* byte = reinterpret_cast<const unsigned char*>(text);
    while (*byte != 0) {
        if (*byte < 0x80) {
            ++byte;
            continue;
        }
        const SequenceRule* rule = RuleFor(*byte);
        if (rule == nullptr || !InRange(byte[1], rule->secondLow, rule->secondHigh)) {
            return false;
        }
        for (int i = 2; i <= rule->continuationCount; ++i) {
            if (!InRange(byte[i], 0x80, 0xBF)) {
                return false;
            }
        }
        byte += rule->continuationCount + 1;
        sawMultiByte = true;
    }
    return !requireMultiByte || sawMultiByte;
}

int NX_Utf8ToAnsi(const char* utf8, char* out, int outSize) {
    if (utf8 == nullptr) {
        if (out != nullptr) {
            *out = '\0';
        }
        return -3;
    }
    if (*utf8 == '\0') {
        if (out != nullptr) {
            *out = '\0';
        }
        return 0;
    }
    using platform::CodePage;
    // No UTF-8 byte gives more than one UTF-16 unit (a four-byte sequence gives two, a byte that
    // fits nothing one U+FFFD), so the text's own length sizes the work area and the text is
    // decoded once, without a size query first.
    const std::size_t bytes = std::strlen(utf8);
    if (bytes >= static_cast<std::size_t>(INT_MAX) - 1) {
        return -1;
    }
    const int capacity = static_cast<int>(bytes) + 1;
    // One unit more than the terminator needs, always 0: a converter that drops the terminator
    // after a sequence cut short by the end of the text (Wine does) still leaves a terminated
    // text.
    WideText wide(capacity + 1);
    char16_t* units = wide.Units();
    const int wideCount = platform::MultiByteToWide(CodePage::Utf8, utf8, -1, units, capacity);
    if (wideCount <= 0) {
        return -1;
    }
    units[wideCount] = u'\0';
    const int ansiCount = platform::WideToMultiByte(CodePage::Ansi, units, -1, nullptr, 0);
    if (ansiCount <= 0) {
        return -1;
    }
    if (out == nullptr) {
        return ansiCount - 1;
    }
    if (ansiCount > outSize) {
        return -2;
    }
    if (platform::WideToMultiByte(CodePage::Ansi, units, -1, out, outSize) <= 0) {
        return -1;
    }
    return ansiCount - 1;
}

#include "cp1252.h"

#include <array>
#include <cstdio>
#include <optional>

#include "utf8.h"

namespace rescomp {

namespace {

// Bytes 0x80 to 0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char32_t, 32> kHighControlRange = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> Cp1252Byte(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] != 0 && kHighControlRange[i] == codePoint) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::string CodePointName(char32_t codePoint) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
    return name;
}

}  // namespace

std::string ToCp1252(std::string_view utf8, const SourcePosition& where) {
    const auto codePoints = DecodeUtf8(utf8);
    if (!codePoints) {
        throw CompileError(where, "the text is not well-formed UTF-8");
    }
    std::string encoded;
    for (const char32_t codePoint : *codePoints) {
        const auto byte = Cp1252Byte(codePoint);
        if (!byte) {
            throw CompileError(
                where, "character " + CodePointName(codePoint) + " is not in code page 1252");
        }
        encoded += *byte;
    }
    return encoded;
}

}  // namespace rescomp

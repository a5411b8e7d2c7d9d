// The host's wide string. Texts of the suite are 8-bit; they become wide strings only to cross
// into the host's dialog manager and file system.
#pragma once

#include <cstddef>

#include "ac_export.h"

namespace GS {

using uchar_t = char16_t;

// Character codes of 8-bit texts: the system's ANSI code page (the host's default) or UTF-8.
enum GSCharCode : int { CC_Default = 0, CC_UTF8 = 1 };

class ACAPI_HOST_API UniString {
public:
    UniString();
    // A null text gives the empty string.
    UniString(const char* text, GSCharCode code = CC_Default);
    explicit UniString(const uchar_t* text);
    UniString(const UniString& other);
    UniString& operator=(const UniString& other);
    ~UniString();

    std::size_t GetLength() const;
    const uchar_t* ToUStr() const;  // zero-terminated UTF-16
    // Writes the text in `code`, zero-terminated, when it fits into `bufferSize` bytes; answers
    // the converted length without the terminator either way (a size query with no buffer).
    std::size_t ToCStr(char* buffer, std::size_t bufferSize, GSCharCode code) const;
    bool IsEqual(const UniString& other) const;

private:
    uchar_t* text;  // zero-terminated, host-owned
    std::size_t length;
};

}  // namespace GS

// The string override table: replacement string lists per language from "100_s.txt", a file of
// the module's built-in library, consulted before the module's own lists.
#pragma once

#include <cstdint>

#include "foundation/nx_list.h"

// One stored text: exactly `length` owned bytes, no terminator (null when length is 0); after
// loading, the unscrambled text in UTF-8.
struct EncryptedString {
    EncryptedString() = default;
    EncryptedString(const char* bytes, std::uint32_t length);
    EncryptedString(const EncryptedString& other);
    EncryptedString& operator=(const EncryptedString&) = delete;
    ~EncryptedString();

    std::uint32_t length = 0;
    char* bytes = nullptr;
};

// One replacement list.
struct StringResource {
    std::int16_t id;
    NX_List<EncryptedString> strings;  // text 1 first
};

// Results of NX_LoadStringOverrides.
constexpr int kOverridesLoaded = 0;
constexpr int kOverrideFileMissing = -1;
constexpr int kOverrideFileUnreadable = -2;
constexpr int kOverrideLanguageMissing = -4;

// (Re)builds the table for the current language, or for English when the file has no section
// for it.
int NX_LoadStringOverrides();
// Text `index` (1-based) of list `listId` into out (at least 500 bytes), in the system code
// page: 0 found (out may be empty), 1 no such text, -2 the text does not convert.
int NX_FindOverride(char* out, unsigned short listId, short index);
// `count` bytes, most significant first.
int NX_ReadBigEndian(const unsigned char* bytes, unsigned count);

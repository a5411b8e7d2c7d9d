#include "foundation/nx_localized.h"

#include <cstring>

#include "acapi/dg.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_own_module.h"
#include "foundation/nx_string_overrides.h"
#include "foundation/nx_utf8.h"
#include "platform/text_codepage.h"

namespace {

constexpr short kGeneralStrings = 32710;
using languages::kEnglish;
constexpr short kFirstWithoutOverrides = 32710;
constexpr short kErrorText = 10;
constexpr short kWarningText = 14;
constexpr short kOkText = 64;
constexpr int kConvertedTextSize = 1000;
constexpr int kOverrideTextSize = 500;
// Override lists are kept for the five languages that have lists of their own; Japanese and
// Norwegian ask for the English list's replacements.
constexpr short kLastOverrideLanguage = 4;

enum StringType : std::int32_t { kStringTypeMain = 0, kStringTypeAlternative = 1 };

bool ReadListText(char* buffer, short listId, short index, StringType type) {
    return RSGetIndString_ParamAdapter(buffer, kFetchBufferSize, listId, index, OwnResourceModule(),
                                       type);
}

bool ReadListTextOfEitherType(char* buffer, short listId, short index) {
    return ReadListText(buffer, listId, index, kStringTypeMain) ||
           ReadListText(buffer, listId, index, kStringTypeAlternative);
}

// A replacement from the override table: true when one with a non-empty text exists.
bool FetchOverride(char* buffer, short listId, short index) {
    char text[kOverrideTextSize];
    if (NX_FindOverride(text, static_cast<unsigned short>(listId), index) == 0 && text[0] != '\0') {
        std::strcpy(buffer, text);
        return true;
    }
    return false;
}

// Lists stored in UTF-8 are recognised text by text and brought into the system code page; a
// text too long for the converted form stays as it is.
void ConvertUtf8Text(char* buffer) {
    if (!NX_IsWellFormedUtf8(buffer, true)) {
        return;
    }
    char copy[kFetchBufferSize];
    std::strcpy(copy, buffer);
    if (NX_Utf8ToAnsi(copy, buffer, kConvertedTextSize) < 0) {
        std::strcpy(buffer, copy);
    }
}

short EnglishListOf(short listId) {
    return static_cast<short>(listId + kEnglish - LanguageIndex);
}

void FetchFamilyText(char* buffer, short listId, short index) {
    const short overrideId =
        LanguageIndex > kLastOverrideLanguage ? static_cast<short>(listId - LanguageIndex) : listId;
    if (FetchOverride(buffer, overrideId, index) ||
        FetchOverride(buffer, static_cast<short>(overrideId + 1), index)) {
        return;
    }
    {
        const ActiveOwnResources ownResources;
        if (!ReadListTextOfEitherType(buffer, listId, index) &&
            !ReadListTextOfEitherType(buffer, EnglishListOf(listId), index)) {
            buffer[0] = '\0';
        }
    }
    ConvertUtf8Text(buffer);
}

void FetchGeneralText(char* buffer, short listId, short index) {
    {
        const ActiveOwnResources ownResources;
        if (!ReadListText(buffer, listId, index, kStringTypeMain) &&
            (LanguageIndex == kEnglish ||
             !ReadListText(buffer, EnglishListOf(listId), index, kStringTypeMain))) {
            buffer[0] = '\0';
        }
    }
    if (buffer[0] != '\0') {
        ConvertUtf8Text(buffer);
    }
}

GS::UniString Wide(const char* text) {
    return GS::UniString(text, GS::CC_Default);
}

}  // namespace

void NX_FetchString(char* buffer, short listId, short index) {
    buffer[0] = '\0';
    if (listId < kFirstWithoutOverrides) {
        FetchFamilyText(buffer, listId, index);
    } else {
        FetchGeneralText(buffer, listId, index);
    }
}

NX_String NX_GetString(short listId, short index) {
    char buffer[kFetchBufferSize];
    NX_FetchString(buffer, listId, index);
    return NX_String(buffer);
}

void NX_Alert(short alertType, const char* title, const char* largeText, const char* smallText) {
    const NX_String ok = NX_GetString(static_cast<short>(kGeneralStrings + LanguageIndex), kOkText);
    DGAlert(alertType, Wide(title), Wide(largeText), Wide(smallText), ok.ToUniString(),
            GS::UniString(), GS::UniString());
}

NX_String NX_MakeMessage(const char* text, bool isError, const char* separator, bool lowerFirst) {
    if (text == nullptr || separator == nullptr) {
        return NX_String("");
    }
    NX_String message = NX_GetString(static_cast<short>(kGeneralStrings + LanguageIndex),
                                     isError ? kErrorText : kWarningText);
    message += separator;
    if (text[0] != '\0') {
        const auto byte = static_cast<unsigned char>(text[0]);
        const char first[2] = {static_cast<char>(lowerFirst ? platform::LowerAnsiChar(byte)
                                                            : platform::UpperAnsiChar(byte)),
                               '\0'};
        message += first;
        message += text + 1;
    }
    return message;
}

// Every text in the language asked for, from the English list of its family where the language
// has none of its own, in the system code page, and the message form of errors and warnings.
#include <gtest/gtest.h>

#include <string>

#include "foundation/nx_localized.h"
#include "host/host_control.h"
#include "resources/resource_ids.h"

extern "C" void LocalizedModule_Fetch(short language, short list, short index, char* buffer);
extern "C" void LocalizedModule_Message(short language, const char* text, bool isError,
                                        const char* separator, bool lowerFirst, char* out);

namespace {

using namespace resource_ids;

constexpr short kEnglish = 1;
constexpr short kGerman = 3;
constexpr short kJapanese = 5;
constexpr short kNorwegian = 6;

std::string Fetch(short language, int list, short index) {
    char buffer[kFetchBufferSize];
    LocalizedModule_Fetch(language, static_cast<short>(list), index, buffer);
    return buffer;
}

struct FallbackCase {
    short language;
    std::int16_t family;
    short index;
    const char* text;
};

// Japanese has no member names, update or error texts of its own; Norwegian has no general
// texts either. Both then read the English list of the family.
const FallbackCase kFallbackCases[] = {
    {kJapanese, kMemberNameStrings, 1, "Stair Designer"},
    {kJapanese, kUpdateStrings, 16, "Start..."},
    {kJapanese, kErrorStrings, 1, "Error"},
    {kNorwegian, kMemberNameStrings, 1, "Stair Designer"},
    {kNorwegian, kUpdateStrings, 13, "Quit"},
    {kNorwegian, kGeneralStrings, 5, "Cancel"},
    {kNorwegian, kGeneralStrings, 64, "OK"},
    {kGerman, kGeneralStrings, 5, "Abbrechen"},
    // past the end of the list of the language and of the English one
    {kGerman, kGeneralStrings, 400, ""},
    {kEnglish, kGeneralStrings, 400, ""},
    {kNorwegian, kUpdateStrings, 400, ""},
};

TEST(LocalizedTexts, LanguagesWithoutAListReadTheEnglishOne) {
    for (const FallbackCase& test : kFallbackCases) {
        EXPECT_EQ(Fetch(test.language, test.family + test.language, test.index), test.text)
            << "language " << test.language << ", list " << test.family + test.language << ", text "
            << test.index;
    }
}

// A general text missing in English is read once: there is no other list to fall back on.
TEST(LocalizedTexts, AMissingEnglishGeneralTextIsReadOnce) {
    for (const short language : {kEnglish, kGerman}) {
        const std::int64_t before = host::CountStringReads();
        EXPECT_EQ(Fetch(language, kGeneralStrings + language, 400), "");
        EXPECT_EQ(host::CountStringReads() - before, language == kEnglish ? 1 : 2);
    }
}

// A list the module keeps only as the alternative string type is read as its texts.
TEST(LocalizedTexts, AListOfTheAlternativeTypeIsReadToo) {
    EXPECT_EQ(Fetch(kEnglish, 32581, 1), "Alternative text");
}

// A converted text must fit in 1000 bytes with its terminator; one that would not stays in
// UTF-8 rather than being cut.
TEST(LocalizedTexts, UtfEightTooLongForTheConvertedFormStaysAsItIs) {
    const std::string tooLong = Fetch(kEnglish, 32580, 1);
    EXPECT_EQ(tooLong, "\xC3\xA9" + std::string(999, 'a'));
    const std::string fitting = Fetch(kEnglish, 32580, 2);
    EXPECT_EQ(fitting, "\xE9" + std::string(998, 'a'));
}

struct MessageCase {
    short language;
    const char* text;
    bool isError;
    const char* separator;
    bool lowerFirst;
    const char* message;
};

const MessageCase kMessageCases[] = {
    {kEnglish, "Unknown document!", true, ": ", true, "Error: unknown document!"},
    {kEnglish, "Unknown document!", true, ": ", false, "Error: Unknown document!"},
    {kEnglish, "Unknown document!", false, ": ", true, "Warning: unknown document!"},
    {kEnglish, "unknown document!", false, " - ", false, "Warning - Unknown document!"},
    {kGerman, "Unbekanntes Dokument!", true, ": ", true, "Fehler: unbekanntes Dokument!"},
    {kEnglish, "", true, ": ", true, "Error: "},
    {kEnglish, "Unknown document!", true, nullptr, true, ""},
    {kEnglish, nullptr, true, ": ", true, ""},
};

TEST(LocalizedTexts, MessagesPutErrorOrWarningFirstAndCaseTheText) {
    for (const MessageCase& test : kMessageCases) {
        char message[kFetchBufferSize];
        LocalizedModule_Message(test.language, test.text, test.isError, test.separator,
                                test.lowerFirst, message);
        EXPECT_STREQ(message, test.message);
    }
}

}  // namespace

// The string override table read from "100_s.txt": which sections load, which record answers,
// and what damaged files leave behind.
#include "foundation/nx_string_overrides.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "foundation/nx_language_index.h"
#include "foundation/nx_library_parts.h"
#include "foundation/nx_localized.h"
#include "platform/native_path.h"
#include "resources/string_override_format.h"
#include "tests/support/scratch_folder.h"

namespace {

using Bytes = std::string;

void PutBigEndian(Bytes& bytes, unsigned value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

struct List {
    unsigned id;
    std::vector<std::string> texts;
};
struct Section {
    unsigned language;
    std::vector<List> lists;
};

// A file as the writer makes it: the count, the headers, then each section's data.
Bytes OverrideFile(const std::vector<Section>& sections) {
    Bytes data;
    std::vector<unsigned> positions;
    const unsigned dataStart = 1 + 5 * static_cast<unsigned>(sections.size());
    for (const Section& section : sections) {
        positions.push_back(dataStart + static_cast<unsigned>(data.size()));
        PutBigEndian(data, static_cast<unsigned>(section.lists.size()), 2);
        for (const List& list : section.lists) {
            PutBigEndian(data, list.id, 2);
            PutBigEndian(data, static_cast<unsigned>(list.texts.size()), 2);
            for (const std::string& text : list.texts) {
                PutBigEndian(data, static_cast<unsigned>(text.size()), 2);
                for (const char c : text) {
                    data.push_back(static_cast<char>(static_cast<unsigned char>(c) -
                                                     string_override_format::kScrambleOffset));
                }
            }
        }
    }
    Bytes file;
    file.push_back(static_cast<char>(sections.size()));
    for (std::size_t i = 0; i < sections.size(); ++i) {
        PutBigEndian(file, sections[i].language, 2);
        PutBigEndian(file, positions[i], 3);
    }
    return file + data;
}

// The host's library: one part, "100_s", whose file the test writes.
std::string libraryFile;
bool libraryHasPart = true;
// The host finds the part but knows it has lost its definition.
bool partDefinitionMissing = false;

GSErrCode Search(API_AddonContext, API_LibPart* part, bool, bool) {
    if (!libraryHasPart || std::u16string(part->docu_UName) != u"100_s" || part->typeID != 1) {
        return APIERR_BADID;
    }
    part->index = 7;
    part->missingDef = partDefinitionMissing;
    return NoError;
}

GSErrCode Get(API_AddonContext, API_LibPart* part) {
    if (part->index != 7) {
        return APIERR_BADID;
    }
    const std::string text = platform::LocationTextFromNativePath(libraryFile);
    part->location = new IO::Location(GS::UniString(text.c_str(), GS::CC_UTF8));
    return NoError;
}

class StringOverridesTest : public ::testing::Test {
protected:
    void SetUp() override {
        void* table[kImportedTableSize / sizeof(void*)] = {};
        table[static_cast<std::size_t>(ACAPI::Slot::LibPartSearch)] =
            reinterpret_cast<void*>(&Search);
        table[static_cast<std::size_t>(ACAPI::Slot::LibPartGet)] = reinterpret_cast<void*>(&Get);
        HostInterface::SetFunctionTable(table);
        libraryFile = scratch.Utf8() + "/100_s.txt";
        libraryHasPart = true;
        partDefinitionMissing = false;
        LanguageIndex = 1;
    }
    void TearDown() override {
        // An empty table for the next case.
        Write(OverrideFile({{1, {}}}));
        NX_LoadStringOverrides();
        LanguageIndex = 1;
    }
    static void Write(const Bytes& bytes) { std::ofstream(libraryFile, std::ios::binary) << bytes; }
    static std::string Find(unsigned short listId, short index, int expectedResult = 0) {
        char out[500];
        EXPECT_EQ(NX_FindOverride(out, listId, index), expectedResult)
            << "list " << listId << " text " << index;
        return out;
    }
    ScratchFolder scratch;
};

TEST_F(StringOverridesTest, LoadsTheSectionsOfTheLanguageOrElseEnglish) {
    Write(OverrideFile({{1, {{32531, {"User Guide (PDF)"}}}},
                        {3, {{32533, {"Palette zeigen", "Palette verbergen"}}}},
                        {3, {{32593, {"Start \xC3\xBC"}}}}}));
    LanguageIndex = 3;
    EXPECT_EQ(NX_LoadStringOverrides(), kOverridesLoaded);
    EXPECT_EQ(Find(32533, 2), "Palette verbergen");
    EXPECT_EQ(Find(32593, 1), "Start \xFC");  // UTF-8 in the file, code page 1252 out
    Find(32531, 1, 1);                        // the English section was not loaded
    Find(32533, 3, 1);
    Find(32533, 0, 1);

    // Japanese has no section: the English one is loaded instead.
    LanguageIndex = 5;
    EXPECT_EQ(NX_LoadStringOverrides(), kOverridesLoaded);
    EXPECT_EQ(Find(32531, 1), "User Guide (PDF)");
    Find(32533, 1, 1);
}

// The text fetch takes a replacement only when it has text: an empty one, which the writer never
// stores but a damaged file can hold, passes on to the next list's. Japanese, without a section
// of its own, asks for the English list's replacements.
TEST_F(StringOverridesTest, TheFetchTakesTheFirstReplacementWithText) {
    char text[kFetchBufferSize];
    Write(OverrideFile(
        {{0, {{32530, {""}}, {32531, {"Guida (PDF)"}}}}, {1, {{32531, {"User Guide (PDF)"}}}}}));
    LanguageIndex = 0;
    ASSERT_EQ(NX_LoadStringOverrides(), kOverridesLoaded);
    EXPECT_EQ(Find(32530, 1), "");  // found, with an empty text
    NX_FetchString(text, 32530, 1);
    EXPECT_STREQ(text, "Guida (PDF)");
    LanguageIndex = 5;
    ASSERT_EQ(NX_LoadStringOverrides(), kOverridesLoaded);
    NX_FetchString(text, 32535, 1);
    EXPECT_STREQ(text, "User Guide (PDF)");
}

// The general texts (Error, Warning, OK, Cancel...) are the host-facing words of every dialog
// and are never replaced, not even in the first language, whose list opens their range.
TEST_F(StringOverridesTest, GeneralTextsTakeNoReplacement) {
    char text[kFetchBufferSize];
    Write(OverrideFile(
        {{0, {{32710, {"", "", "", "", "Sostituito"}}, {32711, {"", "", "", "", "Sostituito"}}}}}));
    LanguageIndex = 0;
    ASSERT_EQ(NX_LoadStringOverrides(), kOverridesLoaded);
    ASSERT_EQ(Find(32710, 5), "Sostituito");
    NX_FetchString(text, 32710, 5);
    EXPECT_STRNE(text, "Sostituito");
}

TEST_F(StringOverridesTest, TheFirstRecordWithEnoughTextsAnswers) {
    Write(OverrideFile({{1, {{32531, {"short"}}, {32531, {"first", "second"}}}},
                        {1, {{32531, {"later", "later two", "later three"}}, {32532, {"X"}}}}}));
    EXPECT_EQ(NX_LoadStringOverrides(), kOverridesLoaded);
    EXPECT_EQ(Find(32531, 1), "short");
    EXPECT_EQ(Find(32531, 2), "second");
    EXPECT_EQ(Find(32531, 3), "later three");
    EXPECT_EQ(Find(32532, 1), "X");  // one letter is a text too
}

TEST_F(StringOverridesTest, MissingAndDamagedFilesGiveTheirResults) {
    Write(OverrideFile({{1, {{32531, {"kept"}}}}}));
    ASSERT_EQ(NX_LoadStringOverrides(), kOverridesLoaded);

    // Neither the language nor English: the table is emptied.
    Write(OverrideFile({{0, {{32530, {"Mostra"}}}}}));
    LanguageIndex = 2;
    EXPECT_EQ(NX_LoadStringOverrides(), kOverrideLanguageMissing);
    Find(32531, 1, 1);

    // No such part, or no file behind it: the table keeps what it held.
    Write(OverrideFile({{1, {{32531, {"kept"}}}}}));
    LanguageIndex = 1;
    ASSERT_EQ(NX_LoadStringOverrides(), kOverridesLoaded);
    EXPECT_EQ(NX_FindLibraryPart("100_s.txt", 1), 7);
    libraryHasPart = false;
    EXPECT_EQ(NX_FindLibraryPart("100_s.txt", 1), -1);
    EXPECT_EQ(NX_LoadStringOverrides(), kOverrideFileMissing);
    libraryHasPart = true;
    partDefinitionMissing = true;
    EXPECT_EQ(NX_FindLibraryPart("100_s.txt", 1), -1);
    EXPECT_EQ(NX_LoadStringOverrides(), kOverrideFileMissing);
    partDefinitionMissing = false;
    std::filesystem::remove(libraryFile);
    EXPECT_EQ(NX_LoadStringOverrides(), kOverrideFileUnreadable);
    EXPECT_EQ(Find(32531, 1), "kept");
    Write("");
    EXPECT_EQ(NX_LoadStringOverrides(), kOverrideFileUnreadable);
}

// A file cut anywhere never reads past its end; a cut inside the second list keeps the first.
TEST_F(StringOverridesTest, EveryTruncationFailsCleanlyAndKeepsCompleteLists) {
    const Bytes whole = OverrideFile({{1, {{32531, {"one", "two"}}, {32532, {"three", "four"}}}}});
    // Count, one header, the list count, then the first list: identifier, count, two texts.
    const std::size_t secondListStart = 1 + 5 + 2 + 4 + (2 + 3) + (2 + 3);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        Write(whole.substr(0, length));
        const int result = NX_LoadStringOverrides();
        EXPECT_TRUE(result == kOverrideFileUnreadable || result == kOverrideLanguageMissing)
            << "cut at " << length << " gave " << result;
        if (length >= secondListStart) {
            EXPECT_EQ(Find(32531, 2), "two") << "cut at " << length;
        }
    }
    Write(whole);
    EXPECT_EQ(NX_LoadStringOverrides(), kOverridesLoaded);
    EXPECT_EQ(Find(32532, 2), "four");
}

TEST_F(StringOverridesTest, HostileNumbersAndTextsAreRefusedWithoutReadingOutOfBounds) {
    // A section position far past the end, a text longer than the work area, ill-formed UTF-8
    // (replaced as the system's conversion replaces it).
    Bytes farPosition = "\x01";
    farPosition += std::string("\x00\x01\xFF\xFF\xFF", 5);
    Write(farPosition);
    EXPECT_EQ(NX_LoadStringOverrides(), kOverrideFileUnreadable);

    Write(OverrideFile({{1, {{32531, {std::string(600, 'x'), "\xC3(", std::string(511, 'y')}}}}}));
    EXPECT_EQ(NX_LoadStringOverrides(), kOverridesLoaded);
    EXPECT_EQ(Find(32531, 1, -2), "");
    EXPECT_EQ(Find(32531, 2), "?(");
    // 511 bytes fit the work area but not the 500-byte output.
    EXPECT_EQ(Find(32531, 3, -2), "");
}

// A file whose `count` section headers all point at the same data: the sections are read once
// per header.
Bytes SharedSectionFile(int count, const std::vector<List>& lists) {
    const Bytes single = OverrideFile({{1, lists}});
    const unsigned dataStart = 1 + 5 * static_cast<unsigned>(count);
    Bytes file(1, static_cast<char>(count));
    for (int i = 0; i < count; ++i) {
        PutBigEndian(file, 1, 2);
        PutBigEndian(file, dataStart, 3);
    }
    return file + single.substr(1 + 5);
}

// The table's limits (lists, texts, their bytes) and the file's: at each the file loads, a step
// beyond it is an unreadable file whose complete lists stay.
TEST_F(StringOverridesTest, FilesAtTheLimitsLoadAndBeyondThemAreUnreadable) {
    const List first{32531, {"first"}};
    const List large{32532, {std::string(60000, 'y')}};
    const struct {
        const char* what;
        Bytes atLimit;
        Bytes beyond;
    } cases[] = {
        {"lists", OverrideFile({{1, {first}}, {1, std::vector<List>(1023, List{32531, {}})}}),
         OverrideFile({{1, {first}}, {1, std::vector<List>(1024, List{32531, {}})}})},
        {"texts", OverrideFile({{1, {first, {32532, std::vector<std::string>(4095, "x")}}}}),
         OverrideFile({{1, {first, {32532, std::vector<std::string>(4096, "x")}}}})},
        {"bytes", SharedSectionFile(4, {first, large}), SharedSectionFile(5, {first, large})},
        {"file", OverrideFile({{1, {first, {32532, {std::string(65536 - 25, 'z')}}}}}),
         OverrideFile({{1, {first, {32532, {std::string(65536 - 24, 'z')}}}}})},
    };
    for (const auto& c : cases) {
        Write(c.atLimit);
        EXPECT_EQ(NX_LoadStringOverrides(), kOverridesLoaded) << c.what;
        Write(c.beyond);
        EXPECT_EQ(NX_LoadStringOverrides(), kOverrideFileUnreadable) << c.what;
        EXPECT_EQ(Find(32531, 1), "first") << c.what;
    }
}

TEST(ReadBigEndian, ReadsMostSignificantFirst) {
    const unsigned char bytes[] = {0x01, 0x02, 0x03, 0xFF};
    EXPECT_EQ(NX_ReadBigEndian(bytes, 0), 0);
    EXPECT_EQ(NX_ReadBigEndian(bytes, 1), 1);
    EXPECT_EQ(NX_ReadBigEndian(bytes, 3), 0x010203);
    EXPECT_EQ(NX_ReadBigEndian(bytes + 3, 1), 0xFF);
}

}  // namespace

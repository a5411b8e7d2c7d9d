#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "host/host_control.h"
#include "settings/settings_file_names.h"
#include "settings/settings_format.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Scrambled(const std::string& plain) {
    std::string bytes = plain;
    for (char& c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        c = static_cast<char>((b >> 4) | ((b << 4) & 0xF0));
    }
    return bytes;
}

// Each case gets an empty settings folder and stores loaded afresh from it.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::SetUserFolder(scratch.Utf8());
        LoadSettings(FamilyStore, false);
        LoadSettings(VersionStore, false);
    }

    fs::path File(SettingsStore store) const {
        return folder / (store == FamilyStore ? kSuiteSettingsFileName : kHubSettingsFileName);
    }
    static std::string Expected(const char* name) {
        return ReadBytes(fs::path(VELMORA_SETTINGS_DATA) / name);
    }

    ScratchFolder scratch;
    const fs::path& folder = scratch.Path();
};

TEST_F(SettingsTest, RecordsWriteByteExactAndReadBack) {
    EXPECT_TRUE(StoreSetting(FamilyStore, "Language", "3", true));
    EXPECT_TRUE(StoreSetting(FamilyStore, "X", "a\r\nb", true));
    EXPECT_EQ(ReadBytes(File(FamilyStore)), Expected("language_and_break.cfg"));

    ASSERT_TRUE(LoadSettings(FamilyStore, false));
    EXPECT_STREQ(GetSettingText(FamilyStore, "Language", true).GetText(), "3");
    EXPECT_STREQ(GetSettingText(FamilyStore, "X", true).GetText(), "a\r\nb");
    EXPECT_EQ(GetSettingNumber(FamilyStore, "Language", true), 3);
}

TEST_F(SettingsTest, EveryLineBreakFormSurvivesTheRoundTrip) {
    struct Record {
        const char* name;
        const char* value;
    };
    const Record records[] = {{"crlf", "a\r\nb"}, {"cr", "a\rb"},      {"lf", "a\nb"},
                              {"empty", ""},      {"tail", "end\r\n"}, {"blank", "a\r\n\r\nb"}};
    for (const Record& r : records) {
        SetSetting(VersionStore, r.name, r.value, true);
    }
    ASSERT_TRUE(SaveSettings(VersionStore));
    EXPECT_EQ(ReadBytes(File(VersionStore)), Expected("every_break.cfg"));

    ASSERT_TRUE(LoadSettings(VersionStore, false));
    for (const Record& r : records) {
        EXPECT_STREQ(GetSettingText(VersionStore, r.name, false).GetText(), r.value) << r.name;
    }
}

TEST_F(SettingsTest, TheFirstOfTwoRecordsWinsAndBothAreKept) {
    fs::copy_file(fs::path(VELMORA_SETTINGS_DATA) / "duplicates.cfg", File(FamilyStore));
    ASSERT_TRUE(LoadSettings(FamilyStore, false));
    EXPECT_STREQ(GetSettingText(FamilyStore, "Language", false).GetText(), "2");
    EXPECT_TRUE(SetSetting(FamilyStore, "Language", "5", true));
    EXPECT_TRUE(SaveSettings(FamilyStore));
    EXPECT_EQ(ReadBytes(File(FamilyStore)), Scrambled("$Language: 5\r\n$Language: 4\r\n"));
    EXPECT_TRUE(SetSetting(FamilyStore, "Missing", "x", false));
    EXPECT_FALSE(GetSetting(FamilyStore, "Missing", nullptr, false));
}

TEST_F(SettingsTest, MissingEmptyAndUnterminatedFiles) {
    EXPECT_TRUE(LoadSettings(FamilyStore, false));
    EXPECT_FALSE(GetSetting(FamilyStore, "Language", nullptr, true));
    EXPECT_FALSE(fs::exists(File(FamilyStore)));

    WriteBytes(File(FamilyStore), "");
    EXPECT_TRUE(LoadSettings(FamilyStore, false));

    WriteBytes(File(FamilyStore), Scrambled("$A: 1\r\n$B: 2"));
    EXPECT_TRUE(LoadSettings(FamilyStore, false));
    EXPECT_TRUE(GetSetting(FamilyStore, "A", nullptr, false));
    EXPECT_FALSE(GetSetting(FamilyStore, "B", nullptr, false));
}

TEST_F(SettingsTest, DamagedFilesFailToLoadAndStayUntilTheUserChangesASetting) {
    const std::string damaged[] = {
        Scrambled("Language: 1\r\n"),              // no "$"
        Scrambled("$Language 1\r\n"),              // no ":"
        Scrambled("$: 1\r\n"),                     // empty name
        Scrambled("$A: 1\r\nx\r\n"),               // a break followed by anything else
        Scrambled(std::string("$\0A: 1\r\n", 8)),  // a name whose text is empty
        "$Language: 1\r\n",                        // not scrambled at all
    };
    for (const std::string& bytes : damaged) {
        WriteBytes(File(FamilyStore), bytes);
        EXPECT_FALSE(LoadSettings(FamilyStore, false));
        EXPECT_FALSE(GetSetting(FamilyStore, "Language", nullptr, true));
        EXPECT_EQ(GetSettingText(FamilyStore, "Language", true).GetText(), std::string());
        EXPECT_EQ(ReadBytes(File(FamilyStore)), bytes) << "a failed load never writes";
    }

    // Records before the fault are kept and written back with the new one.
    WriteBytes(File(FamilyStore), Scrambled("$Keep: yes\r\n$Broken\r\n"));
    EXPECT_FALSE(LoadSettings(FamilyStore, false));
    EXPECT_TRUE(StoreSetting(FamilyStore, "Language", "2", true));
    EXPECT_EQ(ReadBytes(File(FamilyStore)), Scrambled("$Keep: yes\r\n$Language: 2\r\n"));
}

// A zero byte ends the text of a name or value; the record and the records after it are read.
TEST_F(SettingsTest, AZeroByteEndsANameOrAValueAndTheLaterRecordsStay) {
    struct Case {
        std::string file;
        const char* name;
        const char* value;
        const char* written;  // the record as it is written back
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"$Tool\0Name: x\r\n$Last: z\r\n"s, "Tool", "x", "$Tool: x"},
        {"$A: 1\0 2\r\n$Last: z\r\n"s, "A", "1", "$A: 1"},
        {"$A: \0\r\n#2\r\n$Last: z\r\n"s, "A", "", "$A: "},
        {"$A: 1\r\n#\0\r\n$Last: z\r\n"s, "A", "1\r\n", "$A: 1\r\n#"},
    };
    for (const Case& c : cases) {
        WriteBytes(File(FamilyStore), Scrambled(c.file));
        ASSERT_TRUE(LoadSettings(FamilyStore, false)) << c.name;
        EXPECT_EQ(std::string(GetSettingText(FamilyStore, c.name, false).GetText()), c.value);
        EXPECT_EQ(std::string(GetSettingText(FamilyStore, "Last", false).GetText()), "z");
        ASSERT_TRUE(StoreSetting(FamilyStore, "Language", "2", true));
        EXPECT_EQ(ReadBytes(File(FamilyStore)),
                  Scrambled(std::string(c.written) + "\r\n$Last: z\r\n$Language: 2\r\n"));
    }
}

// A file longer than the working buffer, or of more records than the suite ever keeps, is read
// as a damaged one, but is never cut short by a save.
TEST_F(SettingsTest, FilesBeyondTheLimitsFailToLoadAndAreNeverWritten) {
    std::string manyRecords = "$Language: 3\r\n";
    for (int i = 0; i < kMaximumSettingsRecords; ++i) {
        manyRecords += "$a: \n";
    }
    const std::string beyond[] = {
        Scrambled(manyRecords),
        std::string(100000, Scrambled("$")[0]),
        Scrambled("$Language: 3\r\n$a: " + std::string(99990, 'v') + "\r\n"),
    };
    for (const std::string& bytes : beyond) {
        WriteBytes(File(FamilyStore), bytes);
        EXPECT_FALSE(LoadSettings(FamilyStore, false));
        EXPECT_FALSE(StoreSetting(FamilyStore, "Language", "2", true));
        EXPECT_FALSE(SaveSettings(FamilyStore));
        EXPECT_EQ(ReadBytes(File(FamilyStore)), bytes) << "the user's file stays whole";
    }
    // Once the file is within the limits again, the store reads and writes it.
    WriteBytes(File(FamilyStore), Scrambled("$Language: 3\r\n"));
    EXPECT_TRUE(LoadSettings(FamilyStore, false));
    EXPECT_TRUE(StoreSetting(FamilyStore, "Language", "2", true));
    EXPECT_EQ(ReadBytes(File(FamilyStore)), Scrambled("$Language: 2\r\n"));
}

TEST_F(SettingsTest, TheLargestStoreFitsAndOneByteMoreIsNotWritten) {
    // "$k: " + value + CR LF is 6 bytes around the value.
    const std::string largest(99998 - 6, 'v');
    SetSetting(VersionStore, "k", largest.c_str(), true);
    ASSERT_TRUE(SaveSettings(VersionStore));
    EXPECT_EQ(fs::file_size(File(VersionStore)), 99998u);
    ASSERT_TRUE(LoadSettings(VersionStore, false));
    EXPECT_EQ(std::string(GetSettingText(VersionStore, "k", false).GetText()), largest);

    SetSetting(VersionStore, "k", (largest + "v").c_str(), true);
    EXPECT_FALSE(SaveSettings(VersionStore));
    EXPECT_EQ(fs::file_size(File(VersionStore)), 99998u);
}

TEST_F(SettingsTest, NumbersAreWrittenAsSigned32BitDecimals) {
    SetSettingNumber(VersionStore, "LastUpdateCheck_160", -5, true);
    SetSettingNumber(VersionStore, "AutoUpdate", 1, true);
    ASSERT_TRUE(SaveSettings(VersionStore));
    EXPECT_EQ(ReadBytes(File(VersionStore)),
              Scrambled("$LastUpdateCheck_160: -5\r\n$AutoUpdate: 1\r\n"));
    EXPECT_EQ(GetSettingNumber(VersionStore, "LastUpdateCheck_160", false), -5);
    EXPECT_EQ(GetSettingNumber(VersionStore, "Nothing", false), 0);
}

}  // namespace

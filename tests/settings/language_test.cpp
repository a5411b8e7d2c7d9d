#include "settings/language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "host/host_control.h"
#include "settings/settings_file_names.h"
#include "settings/settings_store.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

std::string Scrambled(const std::string& plain) {
    std::string bytes = plain;
    for (char& c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        c = static_cast<char>((b >> 4) | ((b << 4) & 0xF0));
    }
    return bytes;
}

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override { host::SetUserFolder(scratch.Utf8()); }
    void StoreFile(const std::string& plain) const {
        std::ofstream(folder / kSuiteSettingsFileName, std::ios::binary) << Scrambled(plain);
    }
    std::string FileBytes() const {
        std::ifstream in(folder / kSuiteSettingsFileName, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    ScratchFolder scratch;
    const fs::path& folder = scratch.Path();
};

TEST_F(LanguageTest, StoredValueBecomesTheIndexOrTheDefault) {
    struct Case {
        const char* file;  // plain file content; null: no file
        std::int16_t expected;
    };
    const Case cases[] = {
        {nullptr, 1},
        {"$Language: 3\r\n", 3},
        {"$Language: 9\r\n", 1},
        {"$Language: \r\n", 0},
        {"$Language: -1\r\n", 1},
        {"$Language: none\r\n", 1},
        {"$Language: 65539\r\n", 3},  // the low 16 bits count
        {"$Language: 5\r\n", 5},
        {"$Language: 6\r\n", 6},
        {"$Other: 2\r\n", 1},
        {"$Language: 2\r\n$Language: 4\r\n", 2},
        {"damaged", 1},
    };
    for (const Case& c : cases) {
        fs::remove(folder / kSuiteSettingsFileName);
        if (c.file != nullptr) {
            StoreFile(c.file);
        }
        LanguageIndex = 4;
        EXPECT_TRUE(LoadLanguage(true));
        EXPECT_EQ(LanguageIndex, c.expected) << (c.file != nullptr ? c.file : "no file");
    }
}

TEST_F(LanguageTest, SavingWritesTheIndexAndKeepsOtherSettings) {
    StoreFile("$Shared: by members\r\n");
    LoadLanguage(true);
    LanguageIndex = 6;
    SaveLanguage();
    EXPECT_EQ(LanguageIndex, 6);
    EXPECT_EQ(FileBytes(), Scrambled("$Shared: by members\r\n$Language: 6\r\n"));
    LanguageIndex = 1;
    EXPECT_TRUE(LoadLanguage(true));
    EXPECT_EQ(LanguageIndex, 6);
}

}  // namespace

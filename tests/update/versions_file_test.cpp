// The catalogue as downloaded into the settings folder, read whole and compared record by record.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/host_control.h"
#include "tests/support/scratch_folder.h"
#include "update/download_file_names.h"
#include "update/update_host.h"
#include "update/versions_file.h"

namespace {

namespace fs = std::filesystem;

std::string Shown(const NX_String& text) {
    return text.IsNull() ? "<null>" : text.GetText();
}

struct ExpectedAddon {
    const char* name;
    const char* versionText;
    std::int16_t numbers[5];  // major, minor, revision, build, host
    const char* dateKey;
    const char* dateText;
    bool isEdu;
    std::vector<int> languages;
    const char* description;
};

struct ExpectedLibrary {
    const char* name;
    const char* dateKey;
    const char* dateText;
    const char* description;
};

class VersionsFileTest : public ::testing::Test {
protected:
    void SetUp() override { host::SetUserFolder(scratch.Utf8()); }

    void Install(const char* dataFile) const {
        fs::copy_file(fs::path(VELMORA_VERSIONS_DATA) / dataFile,
                      scratch.Path() / kCatalogueFileName);
    }

    ScratchFolder scratch;
    NX_List<NX_AddonUpdate_Message> messages;
    NX_List<NX_AddonUpdate_Addon> addons;
    NX_List<NX_AddonUpdate_Library> libraries;
};

TEST_F(VersionsFileTest, ReadsEveryRecordOfTheCatalogue) {
    Install("catalogue.txt");
    ASSERT_TRUE(ReadVersionsFile(messages, addons, libraries));

    const ExpectedAddon expectedAddons[] = {
        {"Velmora",
         "16.0.0.1700",
         {16, 0, 0, 1700, 16},
         "20120920",
         "20/09/2012",
         false,
         {0, 1},
         "Faster palette.\r\n Two blanks keep one."},
        {"StairMaker", "16.1..3.9", {16, 1, 0, 3, 15}, "20110302", "02/03/2011", true, {3, 3}, ""},
        {"", "", {0, 0, 0, 0, 0}, "", "", false, {}, ""},
    };
    ASSERT_EQ(addons.GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const ExpectedAddon& expected = expectedAddons[i];
        const NX_AddonUpdate_Addon& addon = addons[i];
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(Shown(addon.name), expected.name);
        EXPECT_EQ(Shown(addon.versionText), expected.versionText);
        EXPECT_EQ(addon.major, expected.numbers[0]);
        EXPECT_EQ(addon.minor, expected.numbers[1]);
        EXPECT_EQ(addon.revision, expected.numbers[2]);
        EXPECT_EQ(addon.build, expected.numbers[3]);
        EXPECT_EQ(addon.hostVersion, expected.numbers[4]);
        EXPECT_EQ(Shown(addon.dateKey), expected.dateKey);
        EXPECT_EQ(Shown(addon.dateText), expected.dateText);
        EXPECT_EQ(addon.isEdu, expected.isEdu);
        std::vector<int> languages;
        languages.reserve(static_cast<std::size_t>(addon.languages.GetCount()));
        for (int k = 0; k < addon.languages.GetCount(); ++k) {
            languages.push_back(addon.languages[k]);
        }
        EXPECT_EQ(languages, expected.languages);
        EXPECT_EQ(Shown(addon.description), expected.description);
    }

    const ExpectedLibrary expectedLibraries[] = {
        {"DemoLib", "20120918", "18/09/2012", ""},
        {"RoofLib", "20120505", "05/05/2012", ""},
    };
    ASSERT_EQ(libraries.GetCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Shown(libraries[i].name), expectedLibraries[i].name);
        EXPECT_EQ(Shown(libraries[i].dateKey), expectedLibraries[i].dateKey);
        EXPECT_EQ(Shown(libraries[i].dateText), expectedLibraries[i].dateText);
        EXPECT_EQ(Shown(libraries[i].description), expectedLibraries[i].description);
    }

    ASSERT_EQ(messages.GetCount(), 1);
    EXPECT_EQ(Shown(messages[0].fromKey), "20120901");
    EXPECT_EQ(Shown(messages[0].toKey), "20121231");
    EXPECT_EQ(Shown(messages[0].text), "New tutorials are online.\r\n");
    EXPECT_EQ(Shown(messages[0].link), "http://example.com/tutorials");
}

TEST_F(VersionsFileTest, AppendsToWhatTheListsHold) {
    Install("catalogue.txt");
    libraries.Insert(NX_AddonUpdate_Library{"Old", "", "", ""});
    ASSERT_TRUE(ReadVersionsFile(messages, addons, libraries));
    ASSERT_EQ(libraries.GetCount(), 3);
    EXPECT_EQ(Shown(libraries[0].name), "Old");
    EXPECT_EQ(Shown(libraries[1].name), "DemoLib");
}

TEST_F(VersionsFileTest, MissingFileReadsNothing) {
    EXPECT_FALSE(ReadVersionsFile(messages, addons, libraries));
    EXPECT_EQ(addons.GetCount(), 0);
    EXPECT_EQ(libraries.GetCount(), 0);
    EXPECT_EQ(messages.GetCount(), 0);
}

TEST_F(VersionsFileTest, NoSettingsFolderReadsNothing) {
    // The catalogue lies where the settings folder was; the host now names a folder that cannot
    // be made, so the reader must not answer as if an empty catalogue had been read.
    Install("catalogue.txt");
    host::SetUserFolder((scratch.Path() / kCatalogueFileName / "settings").string());
    EXPECT_FALSE(ReadVersionsFile(messages, addons, libraries));
    EXPECT_EQ(addons.GetCount(), 0);
    EXPECT_EQ(messages.GetCount(), 0);
}

TEST_F(VersionsFileTest, FileLongerThanADownloadIsNotRead) {
    std::ofstream(scratch.Path() / kCatalogueFileName, std::ios::binary)
        << std::string(static_cast<std::size_t>(kMaxVersionsFileBytes) + 1, '*');
    EXPECT_FALSE(ReadVersionsFile(messages, addons, libraries));
}

TEST_F(VersionsFileTest, EmptyFileIsAnEmptyCatalogue) {
    Install("empty.txt");
    EXPECT_TRUE(ReadVersionsFile(messages, addons, libraries));
    EXPECT_EQ(addons.GetCount(), 0);
    EXPECT_EQ(libraries.GetCount(), 0);
    EXPECT_EQ(messages.GetCount(), 0);
}

}  // namespace

#include "members/presence_marker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/host_control.h"
#include "shell/host_interface.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

std::int16_t reportedVersion = 16;
int applicationRequests = 0;

GSErrCode AnswerApplication(API_AddonContext, GSType code, void* par1, void*) {
    ++applicationRequests;
    if (code != FourCharCode("APPL")) {
        return APIERR_BADPARS;
    }
    static_cast<API_ServerApplicationInfo*>(par1)->mainVersion = reportedVersion;
    return NoError;
}

class PresenceMarkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        void* table[kImportedTableSize / sizeof(void*)] = {};
        table[static_cast<std::size_t>(ACAPI::Slot::Environment)] =
            reinterpret_cast<void*>(&AnswerApplication);
        HostInterface::SetFunctionTable(table);
        host::SetUserFolder(scratch.Utf8());
    }
    ScratchFolder scratch;
    const fs::path& folder = scratch.Path();
};

TEST_F(PresenceMarkerTest, StaleMarkerIsReplacedByAnEmptyFileAndDeletedAgain) {
    std::ofstream(folder / "Velmora_AC16.vlm") << "stale";
    EXPECT_TRUE(CreatePresenceMarker(16));
    ASSERT_TRUE(fs::exists(folder / "Velmora_AC16.vlm"));
    EXPECT_EQ(fs::file_size(folder / "Velmora_AC16.vlm"), 0u);
    DeletePresenceMarker();
    EXPECT_FALSE(fs::exists(folder / "Velmora_AC16.vlm"));
    DeletePresenceMarker();  // already gone: no error
}

// CheckEnvironment passes the version of the environment record; the module has no context yet
// to call the host with.
TEST_F(PresenceMarkerTest, GivenVersionIsNotAskedOfTheHost) {
    applicationRequests = 0;
    reportedVersion = 17;
    EXPECT_TRUE(CreatePresenceMarker(16));
    EXPECT_EQ(applicationRequests, 0);
    EXPECT_TRUE(fs::exists(folder / "Velmora_AC16.vlm"));
    EXPECT_FALSE(fs::exists(folder / "Velmora_AC17.vlm"));
    reportedVersion = 16;
}

TEST_F(PresenceMarkerTest, VersionComesFromTheHostWhenNotGiven) {
    reportedVersion = 17;
    EXPECT_TRUE(CreatePresenceMarker());
    EXPECT_TRUE(fs::exists(folder / "Velmora_AC17.vlm"));
    reportedVersion = 16;
}

TEST_F(PresenceMarkerTest, NoSettingsFolderMeansNoMarker) {
    std::ofstream(folder / "file") << "";
    host::SetUserFolder((folder / "file" / "below").string());
    EXPECT_FALSE(CreatePresenceMarker(16));
}

}  // namespace

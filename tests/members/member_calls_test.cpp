// What the hub asks of the host when it calls a member tool: every call may show the member's
// own messages (none is silent), the version area reaches the member cleared, and a row past the
// table reaches no member and tells the user that the tool is missing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/dialog_control.h"
#include "members/member_registry.h"
#include "shell/host_interface.h"

namespace {

constexpr GSType kBlankCode = 0x20202020;

struct Call {
    GSType code;
    bool silent;
    bool areaWasClear;
};
std::vector<GSType> tested;
std::vector<Call> called;
std::vector<std::string> alerts;

// A host in which every member of the table is loaded; the member leaves the area as it is.
GSErrCode TestMember(API_AddonContext, const API_ModulID* module, GSType code, std::int32_t) {
    tested.push_back(code);
    return module->developerID == kBlankCode || code == kBlankCode ? APIERR_MODULNOTINSTALLED
                                                                   : NoError;
}

GSErrCode CallMember(API_AddonContext, const API_ModulID*, GSType code, std::int32_t, GSHandle,
                     GSPtr resultData, bool silent) {
    bool clear = true;
    if (resultData != nullptr) {
        const auto* area = reinterpret_cast<const NX_AddonUpdate_AddonVerLibVer*>(resultData);
        clear = std::string(area->addonVersionLine.GetText()).empty() &&
                std::string(area->libraryVersionLine.GetText()).empty() && area->reply == 0;
    }
    called.push_back({code, silent, clear});
    return NoError;
}

class MemberCallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        void* table[kImportedTableSize / sizeof(void*)] = {};
        table[static_cast<std::size_t>(ACAPI::Slot::CommandTest)] =
            reinterpret_cast<void*>(&TestMember);
        table[static_cast<std::size_t>(ACAPI::Slot::CommandCall)] =
            reinterpret_cast<void*>(&CallMember);
        HostInterface::SetFunctionTable(table);
        host::SetAlertHandler(
            [](const std::string& title, const std::string& text, const std::string&) {
                alerts.push_back(title + "|" + text);
                return short{1};
            });
        tested.clear();
        called.clear();
        alerts.clear();
    }
    void TearDown() override { host::SetAlertHandler(nullptr); }
};

TEST_F(MemberCallsTest, NoCallIsSilent) {
    LaunchMember(0);
    EXPECT_TRUE(SendLanguageCommand(3));
    NX_AddonUpdate_AddonVerLibVer area;
    EXPECT_TRUE(GetMemberVersion(kMemberCount - 1, area));
    ASSERT_EQ(called.size(), 3U);
    EXPECT_EQ(called[0].code, MemberLaunchCode(0));
    EXPECT_EQ(called[1].code, MemberLanguageCode(3));
    EXPECT_EQ(called[2].code, MemberVersionCode(kMemberCount - 1));
    for (const Call& call : called) {
        EXPECT_FALSE(call.silent);
    }
    EXPECT_TRUE(alerts.empty());
}

// A member that answers without filling the area must not seem to report what an earlier
// member left there.
TEST_F(MemberCallsTest, TheVersionAreaArrivesCleared) {
    NX_AddonUpdate_AddonVerLibVer area;
    area.addonVersionLine = "StairMaker 16.0.2.1604 (AC160) 02/05/2012";
    area.libraryVersionLine = "StairMaker_Lib 02/05/2012";
    area.reply = 1;
    EXPECT_TRUE(GetMemberVersion(1, area));
    ASSERT_EQ(called.size(), 1U);
    EXPECT_TRUE(called[0].areaWasClear);
    EXPECT_STREQ(area.addonVersionLine.GetText(), "");
    EXPECT_STREQ(area.libraryVersionLine.GetText(), "");
}

TEST_F(MemberCallsTest, ARowPastTheTableIsAMissingTool) {
    for (const int index : {kMemberCount, kMemberCount + 1}) {
        LaunchMember(index);
    }
    EXPECT_EQ(tested, (std::vector<GSType>{kBlankCode, kBlankCode}));
    EXPECT_TRUE(called.empty());
    EXPECT_EQ(alerts.size(), 2U);
}

}  // namespace

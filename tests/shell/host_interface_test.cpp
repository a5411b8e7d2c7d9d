#include "shell/host_interface.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Recorded {
    API_AddonContext context = nullptr;
    GSType code = 0;
    int calls = 0;
};
Recorded recorded;

GSErrCode RecordEnvironment(API_AddonContext context, GSType code, void*, void*) {
    recorded = {context, code, recorded.calls + 1};
    return 7;
}

GSErrCode AnswerRegisterMenu(GSResID menu, GSResID prompt, std::int32_t position, GSFlags) {
    return menu == 32501 && prompt == 0 && position == 13 ? NoError : APIERR_BADPARS;
}

TEST(HostInterface, EmptySlotsAnswerMissingCodeAndCallsGoThroughTheirSlot) {
    void* table[kImportedTableSize / sizeof(void*)] = {};
    table[static_cast<std::size_t>(ACAPI::Slot::Environment)] =
        reinterpret_cast<void*>(&RecordEnvironment);
    table[static_cast<std::size_t>(ACAPI::Slot::RegisterMenu)] =
        reinterpret_cast<void*>(&AnswerRegisterMenu);
    HostInterface::SetFunctionTable(table);
    int context = 0;
    HostInterface::SetContext(&context);

    EXPECT_TRUE(HostInterface::IsReady());
    EXPECT_EQ(HostInterface::Environment(FourCharCode("APPL")), 7);
    EXPECT_EQ(recorded.context, &context);
    EXPECT_EQ(recorded.code, 0x4150504Cu);
    EXPECT_EQ(recorded.calls, 1);
    EXPECT_EQ(HostInterface::RegisterMenu(32501, 0, 13, 0), NoError);

    EXPECT_EQ(HostInterface::Interface(FourCharCode("GMIF")), APIERR_MISSINGCODE);
    EXPECT_EQ(HostInterface::KeepInMemory(true), APIERR_MISSINGCODE);
    EXPECT_EQ(HostInterface::CommandTest(nullptr, 0, 0), APIERR_MISSINGCODE);
    EXPECT_EQ(HostInterface::GetOwnLocation(nullptr), APIERR_MISSINGCODE);
    EXPECT_EQ(recorded.calls, 1);
    EXPECT_EQ(static_cast<std::uint32_t>(APIERR_MISSINGCODE), 0x81060387u);
}

}  // namespace

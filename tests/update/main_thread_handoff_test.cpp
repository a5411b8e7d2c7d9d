// A download's end reaches the main thread only through the host; when the host cannot take it,
// the download's thread must hear so, or the check it ends would count as running for ever.
#include "update/main_thread_handoff.h"

#include <gtest/gtest.h>

#include "host/host_control.h"
#include "shell/host_interface.h"

namespace {

void Unreached(std::int32_t /*state*/) {
    ADD_FAILURE() << "work the host refused ran";
}

TEST(MainThreadHandOff, IsRefusedWhenTheHostHasNoMemoryForItOrWillNotQueueIt) {
    HostInterface::SetFunctionTable(host::FunctionTable());
    host::FailAllocationsAfter(0);
    EXPECT_FALSE(HandToMainThread(&Unreached, 2));
    host::FailAllocationsAfter(-1);

    ASSERT_TRUE(
        host::SetHostAnswer("ACAPI_Command_CallFromEventLoop", 1, host::HostAnswer::Failure));
    EXPECT_FALSE(HandToMainThread(&Unreached, 2));
    EXPECT_EQ(host::RunMainThreadQueue(), 0U);

    // Taken: queued for the main loop, where no module of this test answers it.
    EXPECT_TRUE(HandToMainThread(&Unreached, 2));
    EXPECT_EQ(host::RunMainThreadQueue(), 1U);
}

}  // namespace

#include "foundation/nx_allocate.h"

#include <gtest/gtest.h>

#include <exception>
#include <new>

#include "host/host_control.h"
#include "shell/host_interface.h"

namespace {

// The host refuses every allocation while one of these lives.
struct HostOutOfMemory {
    HostOutOfMemory() { host::FailAllocationsAfter(0); }
    ~HostOutOfMemory() { host::FailAllocationsAfter(-1); }
};

template <typename Handler>
bool CaughtAs(void (*allocate)()) {
    try {
        allocate();
    } catch (const Handler&) {
        return true;
    }
    return false;
}

void AllocateArray() {
    NX_AllocateArray(16);
}
void AllocateObject() {
    NX_Allocate(16);
}

TEST(Allocation, FailureRaisesOutOfMemoryCatchableAsEveryBase) {
    const HostOutOfMemory refuse;
    for (auto allocate : {&AllocateArray, &AllocateObject}) {
        EXPECT_TRUE(CaughtAs<GS::OutOfMemoryException>(allocate));
        EXPECT_TRUE(CaughtAs<GS::RunTimeErrorException>(allocate));
        EXPECT_TRUE(CaughtAs<GS::GeneralException>(allocate));
        EXPECT_TRUE(CaughtAs<GS::GSException>(allocate));
        EXPECT_TRUE(CaughtAs<std::bad_alloc>(allocate));
        EXPECT_TRUE(CaughtAs<std::exception>(allocate));
    }
}

TEST(Allocation, RaisedExceptionNamesNoSourceAndSucceedsAgainAfterwards) {
    {
        const HostOutOfMemory refuse;
        try {
            NX_AllocateArray(1);
            FAIL() << "no exception";
        } catch (const GS::OutOfMemoryException& e) {
            EXPECT_EQ(e.GetSourceFile(), nullptr);
            EXPECT_EQ(e.GetSourceLine(), 0);
        }
    }
    const host::LiveCounts before = host::CountLiveAllocations();
    char* array = NX_AllocateArray(8);
    EXPECT_EQ(host::CountLiveAllocations().arrays, before.arrays + 1);
    NX_ReleaseArray(array);
    EXPECT_EQ(host::CountLiveAllocations().arrays, before.arrays);
}

}  // namespace

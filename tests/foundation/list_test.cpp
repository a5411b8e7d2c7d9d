#include "foundation/nx_list.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/nx_string.h"
#include "host/host_control.h"

namespace {

std::string Joined(NX_List<NX_String>& list) {
    std::string joined;
    for (int i = 0; i < list.GetCount(); ++i) {
        joined += list[i].GetText();
    }
    return joined;
}

std::int64_t LiveMemory() {
    const host::LiveCounts counts = host::CountLiveAllocations();
    return counts.handles + counts.arrays + counts.objects + counts.pointers;
}

TEST(NX_List, NewListHasAnEmptyHandle) {
    const NX_List<short> list;
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_TRUE(list.HasStorage());
}

TEST(NX_List, InsertsAtEveryPosition) {
    NX_List<NX_String> list;
    list.Insert("x");
    list.Insert("x");
    list.Insert("x");
    list.Insert("y", 0);
    EXPECT_EQ(Joined(list), "yxxx");
    list.Insert("z", 2);
    EXPECT_EQ(Joined(list), "yxzxx");
    list.Insert("e", list.GetCount());
    EXPECT_EQ(Joined(list), "yxzxxe");

    // Every position of a growing list, checked against the same insertions on a std::string.
    NX_List<NX_String> grown;
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        const int position = (i * 7) % (grown.GetCount() + 1);
        const std::string letter(1, static_cast<char>('a' + i % 26));
        grown.Insert(letter.c_str(), position);
        std::string inserted = expected.substr(0, static_cast<std::size_t>(position));
        inserted += letter;
        inserted += expected.substr(static_cast<std::size_t>(position));
        expected = inserted;
    }
    EXPECT_EQ(Joined(grown), expected);
}

TEST(NX_List, ClearDestroysEachElementAndStaysUsable) {
    const std::int64_t before = LiveMemory();
    {
        NX_List<NX_String> list;
        list.Insert("a");
        list.Insert("b");
        list.Clear();
        EXPECT_EQ(list.GetCount(), 0);
        EXPECT_TRUE(list.HasStorage());
        list.Insert("c", 0);
        EXPECT_EQ(Joined(list), "c");
    }
    EXPECT_EQ(LiveMemory(), before);
}

TEST(NX_List, CopiesAreIndependent) {
    NX_List<NX_String> original;
    original.Insert("one");
    original.Insert("two");
    NX_List<NX_String> copy(original);
    copy[0] = "changed";
    EXPECT_EQ(Joined(original), "onetwo");
    EXPECT_EQ(Joined(copy), "changedtwo");
}

TEST(NX_List, FailedGrowthLeavesAnEmptyListWithoutStorageAndNoLeak) {
    const std::int64_t before = LiveMemory();
    {
        NX_List<NX_String> list;
        list.Insert("a");
        list.Insert("b");
        host::FailAllocationsAfter(1);  // the string copy of "c" succeeds, the growth fails
        list.Insert("c");
        host::FailAllocationsAfter(-1);
        EXPECT_EQ(list.GetCount(), 0);
        EXPECT_FALSE(list.HasStorage());
        list.Insert("d");
        EXPECT_EQ(list.GetCount(), 0);

        const NX_List<NX_String> copyOfEmpty(list);
        EXPECT_FALSE(copyOfEmpty.HasStorage());
    }
    EXPECT_EQ(LiveMemory(), before);
}

TEST(NX_List, ExceptionWhileCopyingAnItemKeepsTheList) {
    NX_List<NX_List<NX_String>> lists;
    NX_List<NX_String> inner;
    inner.Insert("a");
    lists.Insert(inner);
    const std::int64_t before = LiveMemory();
    host::FailAllocationsAfter(1);  // the new inner handle is made, copying its text fails
    EXPECT_THROW(lists.Insert(inner, 0), GS::OutOfMemoryException);
    host::FailAllocationsAfter(-1);
    EXPECT_EQ(lists.GetCount(), 1);
    EXPECT_EQ(Joined(lists[0]), "a");
    EXPECT_EQ(LiveMemory(), before);
}

}  // namespace

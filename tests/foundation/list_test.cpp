#include "foundation/nx_list.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/nx_string.h"
#include "host/host_control.h"

namespace {

std::string Joined(const NX_List<NX_String>& list) {
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

// The host refuses every allocation after the next `count` while one of these lives.
struct HostFailsAfter {
    explicit HostFailsAfter(std::int64_t count) { host::FailAllocationsAfter(count); }
    HostFailsAfter(const HostFailsAfter&) = delete;
    HostFailsAfter& operator=(const HostFailsAfter&) = delete;
    ~HostFailsAfter() { host::FailAllocationsAfter(-1); }
};

// An element that counts its constructions and destructions.
struct Counted {
    static int constructed;
    static int destroyed;
    int value;
    explicit Counted(int value_) : value(value_) { ++constructed; }
    Counted(const Counted& other) : value(other.value) { ++constructed; }
    Counted& operator=(const Counted&) = default;
    ~Counted() { ++destroyed; }
};
int Counted::constructed = 0;
int Counted::destroyed = 0;

constexpr GSSize kStringSize = sizeof(NX_String);

TEST(NX_List, NewListHasAnEmptyHandle) {
    const NX_List<short> list;
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_TRUE(list.HasStorage());
    EXPECT_EQ(list.GetStorageSize(), 0);
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
    EXPECT_EQ(list.GetStorageSize(), 6 * kStringSize);
}

TEST(NX_List, EveryPositionOfAGrowingListKeepsTheOrderAndAnExactBlock) {
    // Each size from 0 to 12, each insertion position of it, against the same insertion on a
    // std::string; the block holds exactly the elements after every step.
    for (int size = 0; size <= 12; ++size) {
        for (int position = 0; position <= size; ++position) {
            NX_List<NX_String> list;
            std::string expected;
            for (int i = 0; i < size; ++i) {
                const std::string letter(1, static_cast<char>('a' + i));
                list.Insert(letter.c_str());
                expected += letter;
            }
            list.Insert("#", position);
            // Built piece by piece: GCC 12 warns falsely (-Wrestrict) on std::string::insert.
            std::string inserted = expected.substr(0, static_cast<std::size_t>(position));
            inserted += '#';
            inserted += expected.substr(static_cast<std::size_t>(position));
            expected = inserted;
            EXPECT_EQ(Joined(list), expected) << size << " " << position;
            EXPECT_EQ(list.GetStorageSize(), (size + 1) * kStringSize);
        }
    }

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

TEST(NX_List, AppendingIsInsertingAtTheCount) {
    NX_List<short> appended;
    NX_List<short> atCount;
    for (short i = 0; i < 5; ++i) {
        appended.Insert(i);
        atCount.Insert(i, atCount.GetCount());
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(appended[i], i);
        EXPECT_EQ(atCount[i], i);
    }
    appended[2] = 20;  // elements change in place
    EXPECT_EQ(appended[2], 20);
}

TEST(NX_List, ClearDestroysEachElementOnceAndStaysUsable) {
    Counted::constructed = 0;
    Counted::destroyed = 0;
    {
        NX_List<Counted> list;
        list.Insert(Counted(1));
        list.Insert(Counted(2));
        list.Insert(Counted(3), 0);
        // Each insertion: the value, the parameter and the copy in the slot; the first two die.
        EXPECT_EQ(Counted::constructed - Counted::destroyed, 3);
        const int destroyedBefore = Counted::destroyed;
        list.Clear();
        EXPECT_EQ(Counted::destroyed - destroyedBefore, 3);
        EXPECT_EQ(list.GetCount(), 0);
        EXPECT_TRUE(list.HasStorage());
        EXPECT_EQ(list.GetStorageSize(), 0);
        list.Insert(Counted(4));
        EXPECT_EQ(list.GetCount(), 1);
        EXPECT_EQ(list[0].value, 4);
    }
    EXPECT_EQ(Counted::constructed, Counted::destroyed);

    const std::int64_t before = LiveMemory();
    {
        NX_List<NX_String> list;
        list.Insert("a");
        list.Insert("b");
        list.Clear();
        list.Insert("c", 0);
        EXPECT_EQ(Joined(list), "c");
    }
    EXPECT_EQ(LiveMemory(), before);
}

TEST(NX_List, CopiesAreIndependent) {
    NX_List<NX_String> original;
    original.Insert("one");
    original.Insert("two");
    original.Insert(NX_String());
    NX_List<NX_String> copy(original);
    EXPECT_EQ(copy.GetCount(), 3);
    EXPECT_EQ(copy.GetStorageSize(), original.GetStorageSize());
    EXPECT_TRUE(copy[2].IsNull());
    copy[0] = "changed";
    copy[1] += "!";
    EXPECT_EQ(Joined(original), "onetwo");
    EXPECT_EQ(Joined(copy), "changedtwo!");
    EXPECT_NE(original[1].GetText(), copy[1].GetText());
    copy.Clear();
    EXPECT_EQ(Joined(original), "onetwo");

    // Lists of lists copy all the way down.
    NX_List<NX_List<NX_String>> lists;
    lists.Insert(original);
    NX_List<NX_List<NX_String>> listsCopy(lists);
    listsCopy[0][0] = "deep";
    EXPECT_EQ(Joined(lists[0]), "onetwo");
    EXPECT_EQ(Joined(listsCopy[0]), "deeptwo");
}

TEST(NX_List, ListsMadeWithNewLiveInTheHostsObjectMemory) {
    const std::int64_t objectsBefore = host::CountLiveAllocations().objects;
    auto* list = new NX_List<NX_String>;
    EXPECT_EQ(host::CountLiveAllocations().objects, objectsBefore + 1);
    list->Insert("a");
    delete list;
    EXPECT_EQ(host::CountLiveAllocations().objects, objectsBefore);

    const HostFailsAfter refuse(0);
    EXPECT_THROW(new NX_List<short>, GS::OutOfMemoryException);
}

TEST(NX_List, FailedGrowthLeavesAnEmptyListWithoutStorageAndNoLeak) {
    const std::int64_t before = LiveMemory();
    {
        NX_List<NX_String> list;
        list.Insert("a");
        list.Insert("b");
        {
            const HostFailsAfter refuse(1);  // the string copy of "c" succeeds, the growth fails
            list.Insert("c");
        }
        EXPECT_EQ(list.GetCount(), 0);
        EXPECT_FALSE(list.HasStorage());
        EXPECT_EQ(list.GetStorageSize(), 0);
        list.Insert("d");
        list.Insert("e", 0);
        EXPECT_EQ(list.GetCount(), 0);
        list.Clear();
        EXPECT_FALSE(list.HasStorage());

        // Copying a list without storage gives another; inserting into it does nothing.
        NX_List<NX_String> copyOfEmpty(list);
        EXPECT_FALSE(copyOfEmpty.HasStorage());
        copyOfEmpty.Insert("f");
        EXPECT_EQ(copyOfEmpty.GetCount(), 0);
    }
    EXPECT_EQ(LiveMemory(), before);
}

TEST(NX_List, FailedHandleForANewListOrACopyLeavesItWithoutStorage) {
    const std::int64_t before = LiveMemory();
    {
        NX_List<NX_String> original;
        original.Insert("a");
        original.Insert("b");
        {
            const HostFailsAfter refuse(0);
            NX_List<short> unlucky;  // on the stack: only its handle is asked for
            EXPECT_FALSE(unlucky.HasStorage());
            EXPECT_EQ(unlucky.GetCount(), 0);
            unlucky.Insert(1);
            EXPECT_EQ(unlucky.GetCount(), 0);

            // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): the copy is the test
            const NX_List<NX_String> copyOnStack(original);
            EXPECT_FALSE(copyOnStack.HasStorage());
            EXPECT_EQ(copyOnStack.GetCount(), 0);
        }
        EXPECT_EQ(Joined(original), "ab");
    }
    EXPECT_EQ(LiveMemory(), before);
}

TEST(NX_List, FailedShrinkOnClearLeavesItWithoutStorageAndNoLeak) {
    const std::int64_t before = LiveMemory();
    {
        NX_List<NX_String> list;
        list.Insert("a");
        {
            const HostFailsAfter refuse(0);
            list.Clear();
        }
        EXPECT_EQ(list.GetCount(), 0);
        EXPECT_FALSE(list.HasStorage());
    }
    EXPECT_EQ(LiveMemory(), before);
}

TEST(NX_List, ExceptionWhileCopyingAnItemKeepsTheList) {
    NX_List<NX_List<NX_String>> lists;
    NX_List<NX_String> inner;
    inner.Insert("a");
    lists.Insert(inner);
    const std::int64_t before = LiveMemory();
    {
        // The parameter's copy of inner takes a handle and a text, the growth a third
        // allocation; the copy into the slot gets its handle, then its text fails.
        const HostFailsAfter refuse(4);
        EXPECT_THROW(lists.Insert(inner, 0), GS::OutOfMemoryException);
    }
    EXPECT_EQ(lists.GetCount(), 1);
    EXPECT_EQ(Joined(lists[0]), "a");
    EXPECT_EQ(LiveMemory(), before);
    {
        // One allocation fewer: the slot's copy gets no handle, which is no exception but a
        // copy without storage.
        const HostFailsAfter refuse(3);
        lists.Insert(inner, 0);
    }
    EXPECT_EQ(lists.GetCount(), 2);
    EXPECT_FALSE(lists[0].HasStorage());
    EXPECT_EQ(Joined(lists[1]), "a");
}

// A record with a copy constructor of its own has no move: building it in its slot copies its
// text, which the host can refuse.
struct CopiedText {
    NX_String text;
    CopiedText(const char* text_) : text(text_) {}  // NOLINT(google-explicit-constructor)
    CopiedText(const CopiedText&) = default;
    CopiedText& operator=(const CopiedText&) = default;
    ~CopiedText() = default;
};

std::string Joined(const NX_List<CopiedText>& list) {
    std::string joined;
    for (int i = 0; i < list.GetCount(); ++i) {
        joined += list[i].text.GetText();
    }
    return joined;
}

TEST(NX_List, ExceptionWhileCopyingAnItemIntoItsSlotKeepsTheOrderAndLeaksNothing) {
    NX_List<CopiedText> list;
    list.Insert("a");
    list.Insert("c");
    const CopiedText b("b");
    const std::int64_t before = LiveMemory();
    {
        // The parameter's copy and the growth succeed; the copy into the slot fails.
        const HostFailsAfter refuse(2);
        EXPECT_THROW(list.Insert(b, 1), GS::OutOfMemoryException);
    }
    EXPECT_EQ(Joined(list), "ac");
    EXPECT_EQ(LiveMemory(), before);
    list.Insert(b, 1);
    EXPECT_EQ(Joined(list), "abc");
}

// A text is moved from the parameter into its slot: the insertion allocates only the copy that
// the parameter takes, and the growth.
TEST(NX_List, InsertingAStringCopiesItOnce) {
    NX_List<NX_String> list;
    list.Insert("a");
    const NX_String b("b");
    {
        const HostFailsAfter refuse(2);
        list.Insert(b);
    }
    EXPECT_EQ(Joined(list), "ab");
}

}  // namespace

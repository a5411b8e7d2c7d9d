#include "foundation/nx_string.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/nx_string_buffer.h"
#include "host/host_control.h"

namespace {

// A string's value as the tests compare it: "<null>" for a null string.
std::string Shown(const NX_String& s) {
    return s.IsNull() ? "<null>" : s.GetText();
}

const NX_String kNull;

TEST(NX_String, NullAndEmptyStayApart) {
    EXPECT_TRUE(kNull.IsNull());
    EXPECT_STREQ(kNull.GetText(), "");
    EXPECT_FALSE(NX_String("").IsNull());
    EXPECT_TRUE(NX_String(static_cast<const char*>(nullptr)).IsNull());
    EXPECT_TRUE(NX_String("abc", -1).IsNull());
    EXPECT_EQ(Shown(NX_String("abcdef", 3)), "abc");
    EXPECT_EQ(Shown(NX_String("ab", 5)), "ab");
    EXPECT_TRUE(NX_String(kNull).IsNull());
    NX_String assigned("x");
    assigned = kNull;
    EXPECT_TRUE(assigned.IsNull());
    assigned = "y";
    assigned = assigned;
    EXPECT_EQ(Shown(assigned), "y");
}

TEST(NX_String, ConcatenationWithNullGivesNull) {
    EXPECT_TRUE((kNull + "x").IsNull());
    EXPECT_TRUE(("x" + kNull).IsNull());
    EXPECT_TRUE((NX_String("x") + static_cast<const char*>(nullptr)).IsNull());
    EXPECT_EQ(Shown(NX_String("ab") + "cd"), "abcd");
    EXPECT_EQ(Shown("ab" + NX_String("cd")), "abcd");
    EXPECT_EQ(Shown(NX_String("") + ""), "");

    NX_String nullString;
    nullString += "x";
    EXPECT_TRUE(nullString.IsNull());
    NX_String ab("ab");
    ab += static_cast<const char*>(nullptr);
    EXPECT_TRUE(ab.IsNull());
    NX_String grown("ab");
    grown += NX_String("c");
    EXPECT_EQ(Shown(grown), "abc");
}

TEST(NX_String, MidCountsAndBounds) {
    struct Case {
        const char* text;
        int start;
        int count;  // -2: the one-argument form
        const char* expected;
    };
    const Case cases[] = {
        {"ab", 2, -2, ""},       {"ab", 3, -2, nullptr},   {"abc", 1, 10, "bc"},
        {"abc", 0, -1, nullptr}, {"abc", -1, -2, nullptr}, {"abc", 1, 0, ""},
        {"abc", 3, 2, ""},       {"", 0, -2, ""},
    };
    for (const Case& c : cases) {
        const NX_String text(c.text);
        const NX_String result = c.count == -2 ? text.Mid(c.start) : text.Mid(c.start, c.count);
        EXPECT_EQ(Shown(result), c.expected != nullptr ? c.expected : "<null>")
            << c.text << " " << c.start << " " << c.count;
    }
    EXPECT_TRUE(kNull.Mid(0).IsNull());
}

TEST(NX_String, SearchPositions) {
    const NX_String abcb("abcb");
    EXPECT_EQ(abcb.Find("b", 0), 1);
    EXPECT_EQ(abcb.Find("b", 2), 3);
    EXPECT_EQ(abcb.Find("b", 4), -1);
    EXPECT_EQ(abcb.Find("b", -1), -1);
    EXPECT_EQ(abcb.Find("", 0), -1);
    EXPECT_EQ(abcb.Find(nullptr, 0), -1);
    EXPECT_EQ(NX_String("").Find("a", 0), -1);
    EXPECT_EQ(kNull.Find("a", 0), -1);
    EXPECT_EQ(abcb.ReverseFind("b"), 3);
    EXPECT_EQ(abcb.ReverseFind("bcx"), -1);
    EXPECT_EQ(abcb.ReverseFind(""), -1);
    EXPECT_EQ(NX_String("").ReverseFind("a"), -1);
    EXPECT_EQ(NX_String("xab").FindNoCase("AB", 0), 1);
    EXPECT_EQ(NX_String("x\xC9t\xE9").FindNoCase("\xE9T\xC9", 0), 1);
    EXPECT_EQ(NX_String("jap nor").FindNoCase("NOR", 0), 4);
}

TEST(NX_String, IsAtAndEndsWith) {
    const NX_String abc("abc");
    EXPECT_FALSE(NX_String("").IsAt("x", 0));
    EXPECT_TRUE(abc.IsAt("c", 2));
    EXPECT_FALSE(abc.IsAt("c", 5));
    EXPECT_FALSE(abc.IsAt("", 0));
    EXPECT_TRUE(abc.IsAt("ab", 0));
    EXPECT_FALSE(abc.IsAt("abcd", 0));
    EXPECT_TRUE(abc.EndsWith("bc"));
    EXPECT_FALSE(abc.EndsWith("abcd"));
    EXPECT_FALSE(abc.EndsWith(""));
    EXPECT_FALSE(kNull.EndsWith("a"));
}

TEST(NX_String, ReplaceScansWithoutOverlap) {
    EXPECT_EQ(Shown(NX_String("aaaa").Replace("aa", "b")), "bb");
    EXPECT_EQ(Shown(NX_String("aaa").Replace("aa", "b")), "ba");
    EXPECT_EQ(Shown(NX_String("a-b-c").Replace("-", "--")), "a--b--c");
    EXPECT_EQ(Shown(NX_String("abc").Replace("", "x")), "abc");
    EXPECT_EQ(Shown(NX_String("abc").Replace("b", "")), "ac");
    EXPECT_TRUE(NX_String("abc").Replace(nullptr, "x").IsNull());
    EXPECT_TRUE(NX_String("abc").Replace("a", nullptr).IsNull());
    EXPECT_TRUE(kNull.Replace("a", "b").IsNull());
}

TEST(NX_String, ToIntIsLenient) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"", 0},
        {nullptr, 0},
        {"abc", 2147483647},
        {"- 5", 0},
        {"x-12y", -12},
        {"v12b", 12},
        {"ab-3", -3},
        {"-x", 0},
        {"007", 7},
        {"\xB2\xB3", 2147483647},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NX_String::ToInt(c.text), c.expected) << (c.text ? c.text : "null");
    }
}

TEST(NX_String, NumbersAndFormat) {
    EXPECT_EQ(Shown(NX_String(7L, 3)), "  7");
    EXPECT_EQ(Shown(NX_String(-7L, 0)), "-7");
    EXPECT_EQ(Shown(NX_String(1234L, 2)), "1234");
    EXPECT_EQ(Shown(NX_String(16L, 0)), "16");
    EXPECT_EQ(Shown(NX_String::Format("%s_%ld.vlm", "Velmora_AC", 16L)), "Velmora_AC_16.vlm");
    const std::string longText(3000, 'x');
    EXPECT_EQ(NX_String::Length(NX_String::Format("%s", longText.c_str()).GetText()), 2047);
}

TEST(NX_String, ComparisonsUseSignedBytesAndFailOnNull) {
    EXPECT_TRUE(NX_String("a") < NX_String("b"));
    EXPECT_TRUE(NX_String("") < NX_String("a"));
    EXPECT_TRUE(NX_String("\xE9") < NX_String("a"));
    EXPECT_TRUE(NX_String("ab\xE9") < NX_String("ab"));
    EXPECT_TRUE(NX_String("b") > NX_String("a"));
    EXPECT_TRUE(NX_String("a") <= NX_String("a"));
    EXPECT_FALSE(kNull < NX_String("a"));
    EXPECT_FALSE(NX_String("a") > kNull);
    EXPECT_FALSE(kNull <= kNull);
    EXPECT_TRUE(NX_String::Equal("ab", "ab"));
    EXPECT_FALSE(NX_String::Equal("ab", "aB"));
    EXPECT_FALSE(NX_String::Equal(nullptr, nullptr));
    EXPECT_TRUE(NX_String::EqualNoCase("TXT", "txt"));
    EXPECT_TRUE(NX_String::EqualNoCase("\xC9t\xC9", "\xE9T\xE9"));
    EXPECT_FALSE(NX_String::EqualNoCase("tx", "txt"));
    EXPECT_FALSE(NX_String::EqualNoCase(nullptr, "a"));
}

TEST(NX_String, CaseMappingFollowsCodePage1252) {
    EXPECT_EQ(Shown(NX_String("Caf\xC9 \x8A\x9F").ToLower()), "caf\xE9 \x9A\xFF");
    EXPECT_EQ(Shown(NX_String("caf\xE9 \x9A\xFF\xDF").ToUpper()), "CAF\xC9 \x8A\x9F\xDF");
    EXPECT_TRUE(kNull.ToLower().IsNull());
}

TEST(NX_String, SetJoinedCutsEachPart) {
    NX_String joined;
    joined.SetJoined("abc", 2, nullptr, 5, "xyz", 0);
    EXPECT_EQ(Shown(joined), "abxyz");
    joined.SetJoined("abc", 9, "d", 0, "", 0);
    EXPECT_EQ(Shown(joined), "abcd");
    joined.SetJoined("abc", 0, "d", -1, "e", 0);
    EXPECT_TRUE(joined.IsNull());
    joined.Set("hello", 4);
    EXPECT_EQ(Shown(joined), "hell");
    joined.Set(nullptr, 4);
    EXPECT_TRUE(joined.IsNull());
}

TEST(NX_String, UniStringReadsTheAnsiCodePage) {
    const GS::UniString wide = NX_String("caf\xE9 \x80").ToUniString();
    EXPECT_EQ(std::u16string(wide.ToUStr()), u"caf\u00E9 \u20AC");
    EXPECT_EQ(kNull.ToUniString().GetLength(), 0u);
}

TEST(NX_String, OutOfMemoryRaisesAndLeavesTheOldValue) {
    NX_String text("keep");
    host::FailAllocationsAfter(0);
    EXPECT_THROW(text = "other", GS::OutOfMemoryException);
    EXPECT_THROW(text + "x", GS::OutOfMemoryException);
    host::FailAllocationsAfter(-1);
    EXPECT_EQ(Shown(text), "keep");
}

TEST(NX_StringBuffer, GrowsGeometricallyOrJumpsToWhatIsNeeded) {
    NX_StringBuffer buffer;
    EXPECT_EQ(buffer.GetCapacity(), 256);
    EXPECT_STREQ(buffer.GetText(), "");
    const std::string text300(300, 'a');
    EXPECT_TRUE(buffer.Append(text300.c_str()));
    EXPECT_EQ(buffer.GetCapacity(), 309);
    EXPECT_EQ(buffer.GetLength(), 300);
    EXPECT_TRUE(buffer.Append("bc"));
    EXPECT_EQ(buffer.GetLength(), 302);
    EXPECT_EQ(std::string(buffer.GetText()), text300 + "bc");

    // 49 steps of 10 % from 309 stop near 33,000 bytes; anything larger is taken as needed.
    const std::string huge(200000, 'z');
    EXPECT_TRUE(buffer.Append(huge.c_str()));
    EXPECT_EQ(buffer.GetCapacity(), 302 + 200000 + 1);
}

}  // namespace

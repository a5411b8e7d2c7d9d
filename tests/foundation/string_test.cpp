#include "foundation/nx_string.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

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
    EXPECT_FALSE(abc.IsAt("B", 1));  // letters match in their case only
    EXPECT_FALSE(abc.EndsWith("BC"));
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

TEST(NX_String, NumberConstructorPadsToTheWidth) {
    struct Case {
        long value;
        int width;
        std::string expected;
    };
    const Case cases[] = {
        {7, 3, "  7"},
        {-7, 0, "-7"},
        {7, 5, "    7"},
        {-7, 4, "  -7"},
        {1234, 2, "1234"},
        {0, 0, "0"},
        {16, 0, "16"},
        {2147483647L, 0, "2147483647"},
        {-2147483647L - 1, 0, "-2147483648"},
        {-2147483647L - 1, 12, " -2147483648"},
        {5, 199, std::string(198, ' ') + "5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Shown(NX_String(c.value, c.width)), c.expected) << c.value << " " << c.width;
    }
}

TEST(NX_String, FormatFillsA2048ByteWorkArea) {
    EXPECT_EQ(Shown(NX_String::Format("%s_%ld.vlm", "Velmora_AC", 16L)), "Velmora_AC_16.vlm");
    EXPECT_EQ(Shown(NX_String::Format("%02d/%02d/%04d", 6, 12, 2026)), "06/12/2026");
    EXPECT_EQ(Shown(NX_String::Format("%s", "")), "");
    const std::string longText(3000, 'x');
    EXPECT_EQ(NX_String::Length(NX_String::Format("%s", longText.c_str()).GetText()), 2047);
    const std::string fits(2047, 'y');
    EXPECT_EQ(Shown(NX_String::Format("%s", fits.c_str())), fits);
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

// Code page 1252's case pairs, as CharLowerA and CharUpperA give them: A-Z, C0-DE but D7,
// 8A/9A, 8C/9C, 8E/9E and 9F/FF; every other byte (B5, DF among them) maps to itself.
TEST(NX_String, CaseMappingOfEveryByte) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    std::string lower;
    std::string upper;
    for (const char c : all) {
        const auto byte = static_cast<unsigned char>(c);
        unsigned char l = byte;
        unsigned char u = byte;
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
            l = static_cast<unsigned char>(byte + 0x20);
        } else if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {
            l = static_cast<unsigned char>(byte + 0x10);
        } else if (byte == 0x9F) {
            l = 0xFF;
        }
        if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
            u = static_cast<unsigned char>(byte - 0x20);
        } else if (byte == 0x9A || byte == 0x9C || byte == 0x9E) {
            u = static_cast<unsigned char>(byte - 0x10);
        } else if (byte == 0xFF) {
            u = 0x9F;
        }
        lower.push_back(static_cast<char>(l));
        upper.push_back(static_cast<char>(u));
    }
    const NX_String text(all.c_str());
    EXPECT_EQ(Shown(text.ToLower()), lower);
    EXPECT_EQ(Shown(text.ToUpper()), upper);
    EXPECT_TRUE(NX_String::EqualNoCase(lower.c_str(), upper.c_str()));
    EXPECT_EQ(NX_String(lower.c_str()).FindNoCase(upper.substr(100).c_str(), 0), 100);
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

TEST(NX_String, NullAndEmptyThroughEveryOperation) {
    using Operation = std::function<std::string(const NX_String&)>;
    const auto shownBool = [](bool value) { return std::string(value ? "true" : "false"); };
    struct Case {
        const char* name;
        Operation operation;
        const char* forNull;
        const char* forEmpty;
    };
    const Case cases[] = {
        {"copy", [](const NX_String& s) { return Shown(NX_String(s)); }, "<null>", ""},
        {"assign",
         [](const NX_String& s) {
             NX_String target("old");
             target = s;
             return Shown(target);
         },
         "<null>", ""},
        {"assign text",
         [](const NX_String& s) {
             NX_String target("old");
             target = s.IsNull() ? nullptr : s.GetText();
             return Shown(target);
         },
         "<null>", ""},
        {"move",
         [](const NX_String& s) {
             NX_String source(s);
             NX_String target(std::move(source));
             return Shown(target);
         },
         "<null>", ""},
        {"GetText", [](const NX_String& s) { return std::string(s.GetText()); }, "", ""},
        {"IsNull", [&](const NX_String& s) { return shownBool(s.IsNull()); }, "true", "false"},
        {"s + text", [](const NX_String& s) { return Shown(s + "x"); }, "<null>", "x"},
        {"s + string", [](const NX_String& s) { return Shown(s + NX_String("x")); }, "<null>", "x"},
        {"text + s", [](const NX_String& s) { return Shown("x" + s); }, "<null>", "x"},
        {"string + s", [](const NX_String& s) { return Shown(NX_String("x") + s); }, "<null>", "x"},
        {"s += text",
         [](const NX_String& s) {
             NX_String target(s);
             target += "x";
             return Shown(target);
         },
         "<null>", "x"},
        {"string += s",
         [](const NX_String& s) {
             NX_String target("x");
             target += s;
             return Shown(target);
         },
         "<null>", "x"},
        {"s < a", [&](const NX_String& s) { return shownBool(s < NX_String("a")); }, "false",
         "true"},
        {"a > s", [&](const NX_String& s) { return shownBool(NX_String("a") > s); }, "false",
         "true"},
        {"s <= s", [&](const NX_String& s) { return shownBool(s <= s); }, "false", "true"},
        {"s < s", [&](const NX_String& s) { return shownBool(s < s); }, "false", "false"},
        {"Find", [](const NX_String& s) { return std::to_string(s.Find("a", 0)); }, "-1", "-1"},
        {"FindNoCase", [](const NX_String& s) { return std::to_string(s.FindNoCase("a", 0)); },
         "-1", "-1"},
        {"ReverseFind", [](const NX_String& s) { return std::to_string(s.ReverseFind("a")); }, "-1",
         "-1"},
        {"IsAt", [&](const NX_String& s) { return shownBool(s.IsAt("a", 0)); }, "false", "false"},
        {"EndsWith", [&](const NX_String& s) { return shownBool(s.EndsWith("a")); }, "false",
         "false"},
        {"Mid(0)", [](const NX_String& s) { return Shown(s.Mid(0)); }, "<null>", ""},
        {"Mid(0, 0)", [](const NX_String& s) { return Shown(s.Mid(0, 0)); }, "<null>", ""},
        {"Mid(0, 5)", [](const NX_String& s) { return Shown(s.Mid(0, 5)); }, "<null>", ""},
        {"Mid(1)", [](const NX_String& s) { return Shown(s.Mid(1)); }, "<null>", "<null>"},
        {"ToLower", [](const NX_String& s) { return Shown(s.ToLower()); }, "<null>", ""},
        {"ToUpper", [](const NX_String& s) { return Shown(s.ToUpper()); }, "<null>", ""},
        {"Replace", [](const NX_String& s) { return Shown(s.Replace("a", "b")); }, "<null>", ""},
        {"ToInt of GetText",
         [](const NX_String& s) { return std::to_string(NX_String::ToInt(s.GetText())); }, "0",
         "0"},
        {"ToUniString",
         [](const NX_String& s) { return std::to_string(s.ToUniString().GetLength()); }, "0", "0"},
        {"Set",
         [](const NX_String& s) {
             NX_String target("old");
             target.Set(s.IsNull() ? nullptr : s.GetText(), 3);
             return Shown(target);
         },
         "<null>", ""},
        {"bounded",
         [](const NX_String& s) { return Shown(NX_String(s.IsNull() ? nullptr : "", 0)); },
         "<null>", ""},
        {"SetJoined",
         [](const NX_String& s) {
             NX_String target("old");
             const char* part = s.IsNull() ? nullptr : s.GetText();
             target.SetJoined(part, 0, part, 0, part, 0);
             return Shown(target);
         },
         "", ""},
    };
    const NX_String empty("");
    for (const Case& c : cases) {
        EXPECT_EQ(c.operation(kNull), c.forNull) << c.name << " on null";
        EXPECT_EQ(c.operation(empty), c.forEmpty) << c.name << " on empty";
    }
    EXPECT_FALSE(NX_String::Equal(nullptr, ""));
    EXPECT_FALSE(NX_String::Equal("", nullptr));
    EXPECT_TRUE(NX_String::Equal("", ""));
    EXPECT_FALSE(NX_String::EqualNoCase(nullptr, nullptr));
    EXPECT_TRUE(NX_String::EqualNoCase("", ""));
    EXPECT_EQ(NX_String::ToInt(nullptr), 0);
    EXPECT_EQ(NX_String::Length(""), 0);
}

// The host refuses every allocation after the next `count` while one of these lives.
struct HostFailsAfter {
    explicit HostFailsAfter(std::int64_t count) { host::FailAllocationsAfter(count); }
    HostFailsAfter(const HostFailsAfter&) = delete;
    HostFailsAfter& operator=(const HostFailsAfter&) = delete;
    ~HostFailsAfter() { host::FailAllocationsAfter(-1); }
};

TEST(NX_String, OutOfMemoryRaisesFromEveryAllocatingOperationAndLeavesTheOldValue) {
    struct Case {
        const char* name;
        std::function<void(NX_String&)> operation;
    };
    const NX_String other("other");
    const Case cases[] = {
        {"copy", [](NX_String& s) { (void)NX_String(s); }},
        {"text", [](NX_String&) { NX_String text("x"); }},
        {"bounded", [](NX_String&) { NX_String text("x", 4); }},
        {"number", [](NX_String&) { NX_String text(5L, 2); }},
        {"assign", [](NX_String& s) { s = "other"; }},
        {"assign string", [&](NX_String& s) { s = other; }},
        {"+= string", [&](NX_String& s) { s += other; }},
        {"Set", [](NX_String& s) { s.Set("other", 2); }},
        {"SetJoined", [](NX_String& s) { s.SetJoined("a", 0, "b", 0, "c", 0); }},
        {"s + text", [](NX_String& s) { (void)(s + "x"); }},
        {"text + s", [](NX_String& s) { (void)("x" + s); }},
        {"+=", [](NX_String& s) { s += "x"; }},
        {"Mid", [](NX_String& s) { (void)s.Mid(1); }},
        {"Mid count", [](NX_String& s) { (void)s.Mid(1, 1); }},
        {"ToLower", [](NX_String& s) { (void)s.ToLower(); }},
        {"ToUpper", [](NX_String& s) { (void)s.ToUpper(); }},
        {"Replace", [](NX_String& s) { (void)s.Replace("e", "E"); }},
        {"Format", [](NX_String&) { (void)NX_String::Format("%d", 1); }},
    };
    for (const Case& c : cases) {
        NX_String text("keep");
        const host::LiveCounts before = host::CountLiveAllocations();
        {
            const HostFailsAfter refuse(0);
            EXPECT_THROW(c.operation(text), GS::OutOfMemoryException) << c.name;
        }
        EXPECT_EQ(Shown(text), "keep") << c.name;
        EXPECT_EQ(host::CountLiveAllocations().arrays, before.arrays) << c.name;
    }
}

TEST(NX_String, OutOfMemoryMidwayThroughAnExpressionLeaksNothing) {
    // Three arrays: "a" + "b", that + "c", then the copy into the result; the third fails.
    const NX_String a("a");
    NX_String result("before");
    const host::LiveCounts before = host::CountLiveAllocations();
    {
        const HostFailsAfter refuse(2);
        EXPECT_THROW(result = NX_String(((a + "b") + "c").GetText()), GS::OutOfMemoryException);
    }
    EXPECT_EQ(Shown(result), "before");
    EXPECT_EQ(host::CountLiveAllocations().arrays, before.arrays);
}

TEST(NX_StringBuffer, GrowsGeometricallyOrJumpsToWhatIsNeeded) {
    NX_StringBuffer buffer;
    EXPECT_EQ(buffer.GetCapacity(), 256);
    EXPECT_EQ(buffer.GetLength(), 0);
    EXPECT_STREQ(buffer.GetText(), "");
    const std::string text300(300, 'a');
    EXPECT_TRUE(buffer.Append(text300.c_str()));
    EXPECT_EQ(buffer.GetCapacity(), 309);
    EXPECT_EQ(buffer.GetLength(), 300);
    EXPECT_TRUE(buffer.Append("bc"));
    EXPECT_EQ(buffer.GetLength(), 302);
    EXPECT_EQ(buffer.GetCapacity(), 309);
    EXPECT_EQ(std::string(buffer.GetText()), text300 + "bc");

    // 49 steps of 10 % from 309 stop near 33,000 bytes; anything larger is taken as needed.
    const std::string huge(200000, 'z');
    EXPECT_TRUE(buffer.Append(huge.c_str()));
    EXPECT_EQ(buffer.GetCapacity(), 302 + 200000 + 1);
}

TEST(NX_StringBuffer, StepsRunFromTheCurrentCapacity) {
    struct Case {
        int length;  // appended to a fresh buffer in one piece
        int capacity;
    };
    // 256, 281, 309, 339, 372, 409, ...: each step adds a tenth, cut to a whole byte.
    const Case cases[] = {{0, 256},   {255, 256}, {256, 281}, {280, 281},
                          {281, 309}, {308, 309}, {309, 339}, {400, 409}};
    for (const Case& c : cases) {
        NX_StringBuffer buffer;
        const std::string text(static_cast<std::size_t>(c.length), 'q');
        EXPECT_TRUE(buffer.Append(text.c_str()));
        EXPECT_EQ(buffer.GetCapacity(), c.capacity) << c.length;
        EXPECT_EQ(buffer.GetLength(), c.length);
    }

    NX_StringBuffer pieces;
    for (int i = 0; i < 100; ++i) {
        EXPECT_TRUE(pieces.Append("abc"));
    }
    EXPECT_EQ(pieces.GetLength(), 300);
    EXPECT_EQ(pieces.GetCapacity(), 309);
    EXPECT_EQ(std::string(pieces.GetText()).substr(294), "abcabc");
    EXPECT_FALSE(pieces.Append(nullptr));
    EXPECT_EQ(pieces.GetLength(), 300);
}

TEST(NX_StringBuffer, OutOfMemoryWhileGrowingKeepsTheText) {
    const host::LiveCounts before = host::CountLiveAllocations();
    {
        NX_StringBuffer buffer;
        EXPECT_TRUE(buffer.Append("kept"));
        const std::string text300(300, 'a');
        {
            const HostFailsAfter refuse(0);
            EXPECT_TRUE(buffer.Append("no growth needed"));
            EXPECT_THROW(buffer.Append(text300.c_str()), GS::OutOfMemoryException);
        }
        EXPECT_STREQ(buffer.GetText(), "keptno growth needed");
        EXPECT_EQ(buffer.GetCapacity(), 256);
        {
            const HostFailsAfter refuse(0);
            EXPECT_THROW(NX_StringBuffer another, GS::OutOfMemoryException);
        }
    }
    EXPECT_EQ(host::CountLiveAllocations().arrays, before.arrays);
}

}  // namespace

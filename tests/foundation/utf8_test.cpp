#include "foundation/nx_utf8.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/host_control.h"
#include "shell/host_interface.h"

namespace {

TEST(NX_IsWellFormedUtf8, FollowsTheTableOfWellFormedSequences) {
    struct Case {
        const char* text;
        bool requireMultiByte;
        bool expected;
    };
    const Case cases[] = {
        {"abc", true, false},
        {"abc", false, true},
        {"", false, true},
        {"", true, false},
        {"caf\xC3\xA9", true, true},
        {"\xE9", false, false},
        {"\xED\xA0\x80", false, false},
        {"\xED\x9F\xBF", true, true},
        {"\xE0\x9F\x80", false, false},
        {"\xE0\xA0\x80", true, true},
        {"\xF0\x8F\x80\x80", false, false},
        {"\xF0\x9F\x98\x80", true, true},
        {"\xF4\x90\x80\x80", false, false},
        {"\xF5\x80\x80\x80", false, false},
        {"\xC0\x80", false, false},
        {"\xC1\xBF", false, false},
        {"\xC3", false, false},
        {"a\xE3\x83", false, false},
        // The last byte of a three- or four-byte sequence must continue it too.
        {"\xE2\x82"
         "Ab",
         false, false},
        {"\xF0\x9F\x98"
         "Ab",
         false, false},
        {"\x80", false, false},
        {"\xC3\xA9\xC3", true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NX_IsWellFormedUtf8(c.text, c.requireMultiByte), c.expected) << c.text;
    }
    EXPECT_FALSE(NX_IsWellFormedUtf8(nullptr, false));
}

// Both builds convert to code page 1252 and must give the same bytes: Windows' conversion (under
// Wine for the Windows build) and the posix side's tables.
TEST(NX_Utf8ToAnsi, ConvertsToCodePage1252) {
    struct Case {
        const char* utf8;
        const char* ansi;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"caf\xC3\xA9", "caf\xE9"},
        {"\xC3\x80 la fran\xC3\xA7"
         "aise",
         "\xC0 la fran\xE7"
         "aise"},
        {"\xE2\x82\xAC", "\x80"},
        {"Stra\xC3\x9F"
         "e \xE2\x82\xAC",
         "Stra\xDF"
         "e \x80"},
        // The C1 block of 1252: quotes, dashes, the ellipsis, S and Z with caron, Y diaeresis.
        {"\xE2\x80\x9C"
         "a\xE2\x80\x9D \xE2\x80\x93 \xE2\x80\xA6 \xC5\xA0\xC5\xBD\xC5\xB8",
         "\x93"
         "a\x94 \x96 \x85 \x8A\x8E\x9F"},
        {"\xC2\xA0\xC2\xBF\xC3\xBF", "\xA0\xBF\xFF"},
        // Characters 1252 lacks: best-fit forms where Windows has one, else '?' per character.
        {"\xC5\x81\xC3\xB3\x64\xC5\xBA",
         "L\xF3"
         "dz"},
        {"\xE2\x88\x92"
         "1",
         "-1"},
        {"\xEF\xBC\xA1", "A"},
        {"\xCE\x94", "?"},
        {"\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88", "???"},
        {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E abc", "??? abc"},
        // Beyond U+FFFF: one '?' for each UTF-16 unit.
        {"smile \xF0\x9F\x98\x80", "smile ??"},
        {"\xF0\x9F\x98\x80\xF0\x9F\x8F\xA0", "????"},
        // Ill-formed input: one '?' for each U+FFFD the conversion makes.
        {"caf\xE9", "caf?"},
        {"a\x80"
         "b",
         "a?b"},
        {"\xC0\x80", "??"},
        {"\xED\xA0\x80"
         "x",
         "??x"},
        {"\xE0\x9F\x80"
         "x",
         "??x"},
        {"\xE3\x83"
         "a",
         "?a"},
        {"\xF4\x90\x80\x80", "???"},
        {"\xF5\x80", "??"},
        {"abc\xE3", "abc?"},
        {"abc\xF0\x9F\x98", "abc?"},
    };
    for (const Case& c : cases) {
        char out[64] = "untouched";
        const int length = NX_Utf8ToAnsi(c.utf8, out, sizeof out);
        EXPECT_EQ(length, static_cast<int>(std::string(c.ansi).size())) << c.utf8;
        EXPECT_EQ(std::string(out), c.ansi) << c.utf8;
        EXPECT_EQ(NX_Utf8ToAnsi(c.utf8, nullptr, 0), length) << "size query " << c.utf8;
    }
}

TEST(NX_Utf8ToAnsi, ResultCodesAndBufferBounds) {
    char out[8] = "xyz";
    EXPECT_EQ(NX_Utf8ToAnsi(nullptr, out, sizeof out), -3);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(NX_Utf8ToAnsi(nullptr, nullptr, 0), -3);

    strcpy(out, "xyz");
    EXPECT_EQ(NX_Utf8ToAnsi("", out, sizeof out), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(NX_Utf8ToAnsi("", nullptr, 0), 0);

    // "caf" + e-acute needs 5 bytes with the terminator: exactly 5 fits, 4 does not.
    char exact[5] = "????";
    EXPECT_EQ(NX_Utf8ToAnsi("caf\xC3\xA9", exact, 5), 4);
    EXPECT_STREQ(exact, "caf\xE9");
    char tooSmall[5] = "keep";
    EXPECT_EQ(NX_Utf8ToAnsi("caf\xC3\xA9", tooSmall, 4), -2);
    EXPECT_STREQ(tooSmall, "keep");
    EXPECT_EQ(NX_Utf8ToAnsi("a", tooSmall, 0), -2);
    EXPECT_STREQ(tooSmall, "keep");
    EXPECT_EQ(NX_Utf8ToAnsi("ab", tooSmall, 2), -2);
    EXPECT_EQ(NX_Utf8ToAnsi("a", tooSmall, 2), 1);
    EXPECT_STREQ(tooSmall, "a");

    // A size query of a long text, then the text into exactly that many bytes plus one.
    std::string longText;
    for (int i = 0; i < 500; ++i) {
        longText += "\xC3\xA9";
    }
    const int needed = NX_Utf8ToAnsi(longText.c_str(), nullptr, 0);
    EXPECT_EQ(needed, 500);
    std::string converted(static_cast<std::size_t>(needed) + 1, 'x');
    EXPECT_EQ(NX_Utf8ToAnsi(longText.c_str(), converted.data(), needed + 1), needed);
    EXPECT_EQ(converted, std::string(500, '\xE9') + '\0');
}

TEST(NX_Utf8ToAnsi, OutOfMemoryForTheWorkAreaRaises) {
    const host::LiveCounts before = host::CountLiveAllocations();
    char out[16] = "keep";
    host::FailAllocationsAfter(0);
    EXPECT_THROW(NX_Utf8ToAnsi("caf\xC3\xA9", out, sizeof out), GS::OutOfMemoryException);
    host::FailAllocationsAfter(-1);
    EXPECT_STREQ(out, "keep");
    EXPECT_EQ(host::CountLiveAllocations().arrays, before.arrays);
}

}  // namespace

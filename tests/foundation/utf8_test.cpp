#include "foundation/nx_utf8.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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
        {"\x80", false, false},
        {"\xC3\xA9\xC3", true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NX_IsWellFormedUtf8(c.text, c.requireMultiByte), c.expected) << c.text;
    }
    EXPECT_FALSE(NX_IsWellFormedUtf8(nullptr, false));
}

// Both builds convert to code page 1252 and must give the same bytes.
TEST(NX_Utf8ToAnsi, ConvertsToCodePage1252) {
    struct Case {
        const char* utf8;
        const char* ansi;
    };
    const Case cases[] = {
        {"caf\xC3\xA9", "caf\xE9"},
        {"\xC3\x80 la fran\xC3\xA7"
         "aise",
         "\xC0 la fran\xE7"
         "aise"},
        {"Stra\xC3\x9F"
         "e \xE2\x82\xAC",
         "Stra\xDF"
         "e \x80"},
        {"\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88", "???"},
        {"smile \xF0\x9F\x98\x80", "smile ??"},
        {"plain", "plain"},
    };
    for (const Case& c : cases) {
        char out[64] = "untouched";
        const int length = NX_Utf8ToAnsi(c.utf8, out, sizeof out);
        EXPECT_EQ(length, static_cast<int>(std::string(c.ansi).size())) << c.utf8;
        EXPECT_EQ(std::string(out), c.ansi) << c.utf8;
        EXPECT_EQ(NX_Utf8ToAnsi(c.utf8, nullptr, 0), length) << "size query";
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

    // "caf" + e-acute needs 5 bytes with the terminator: exactly 5 fits, 4 does not.
    char exact[5] = "????";
    EXPECT_EQ(NX_Utf8ToAnsi("caf\xC3\xA9", exact, 5), 4);
    EXPECT_STREQ(exact, "caf\xE9");
    char tooSmall[5] = "keep";
    EXPECT_EQ(NX_Utf8ToAnsi("caf\xC3\xA9", tooSmall, 4), -2);
    EXPECT_STREQ(tooSmall, "keep");
}

}  // namespace

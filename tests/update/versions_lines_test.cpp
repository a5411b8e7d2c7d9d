// The pieces of the catalogue reader: fields, dates, add-on and library lines, description
// lines and the classification of lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "update/versions_file.h"
#include "update/web_link.h"

namespace {

// A null text shows as "<null>" so that null and empty keys differ in the comparisons.
std::string Shown(const NX_String& text) {
    return text.IsNull() ? "<null>" : text.GetText();
}

std::vector<std::string> Shown(const NX_List<NX_String>& list) {
    std::vector<std::string> shown;
    shown.reserve(static_cast<std::size_t>(list.GetCount()));
    for (int i = 0; i < list.GetCount(); ++i) {
        shown.push_back(Shown(list[i]));
    }
    return shown;
}

std::vector<int> Languages(const NX_AddonUpdate_Addon& addon) {
    std::vector<int> languages;
    languages.reserve(static_cast<std::size_t>(addon.languages.GetCount()));
    for (int i = 0; i < addon.languages.GetCount(); ++i) {
        languages.push_back(addon.languages[i]);
    }
    return languages;
}

struct Catalogue {
    NX_List<NX_AddonUpdate_Message> messages;
    NX_List<NX_AddonUpdate_Addon> addons;
    NX_List<NX_AddonUpdate_Library> libraries;
};

bool Parse(const std::string& text, Catalogue& catalogue) {
    return ParseVersionsText(text.data(), text.size(), catalogue.messages, catalogue.addons,
                             catalogue.libraries);
}

std::string Repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST(VersionsFieldsTest, RunsOfBlanksAndTabsSeparate) {
    const struct {
        const char* line;
        std::vector<std::string> fields;
    } cases[] = {
        {"a b", {"a", "b"}},
        {"a \t  b\tc", {"a", "b", "c"}},
        {" a", {"", "a"}},
        {"a ", {"a", ""}},
        {"", {""}},
        {" \t ", {"", ""}},
        {"DemoLib 18/09/2012 ", {"DemoLib", "18/09/2012", ""}},
    };
    for (const auto& c : cases) {
        NX_List<NX_String> fields;
        fields.Insert(NX_String("left over"));
        SplitFields(c.line, fields);
        EXPECT_EQ(Shown(fields), c.fields) << '"' << c.line << '"';
    }
    NX_List<NX_String> fields;
    SplitFields(NX_String(), fields);
    EXPECT_EQ(Shown(fields), std::vector<std::string>{"<null>"});
}

TEST(VersionsFieldsTest, DotsCutVersionsIntoParts) {
    NX_List<NX_String> parts;
    SplitAtChar("1..2.", '.', parts);
    EXPECT_EQ(Shown(parts), (std::vector<std::string>{"1", "", "2", ""}));
    SplitAtChar(NX_String(), '.', parts);
    EXPECT_EQ(Shown(parts), std::vector<std::string>{"<null>"});
}

TEST(VersionsDatesTest, OnlyFixedPositionsCount) {
    const struct {
        NX_String date;
        const char* key;
    } cases[] = {
        {"20/09/2012", "20120920"},
        {"01-01-1999", "19990101"},
        {"1/9/2012", "12/21/"},
        {"01/02/", "0201"},
        {"01/02/20", "200201"},
        {"01/02", "<null>"},
        {"", "<null>"},
        {NX_String(), "<null>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shown(MakeDateKey(c.date)), c.key) << Shown(c.date);
    }
}

TEST(VersionsAddonLineTest, FieldsNumbersAndFlags) {
    const struct {
        const char* line;
        const char* name;
        const char* version;
        std::int16_t numbers[5];  // major, minor, revision, build, host
        const char* dateKey;
        const char* dateText;
        bool isEdu;
        std::vector<int> languages;
    } cases[] = {
        {"Velmora 16.0.0.1700 (AC160) 20/09/2012 ITA INT",
         "Velmora",
         "16.0.0.1700",
         {16, 0, 0, 1700, 16},
         "20120920",
         "20/09/2012",
         false,
         {0, 1}},
        {"A 1..2 (AC150) 01/01/2013",
         "A",
         "1..2",
         {1, 0, 2, 0, 15},
         "20130101",
         "01/01/2013",
         false,
         {}},
        {"A 1.2.3.4.5 (AC16) 01/01/2013",
         "A",
         "1.2.3.4.5",
         {1, 2, 3, 4, 1},
         "20130101",
         "01/01/2013",
         false,
         {}},
        {"A x.70000 (AC160) 1/9/2012 SPA Edu ita GER FRA GER",
         "A",
         "x.70000",
         {-1, 4464, 0, 0, 16},
         "12/21/",
         "1/9/2012",
         true,
         {4, 3, 2, 3}},
        {"A 1.2 (A) 01/01/2013", "A", "1.2", {1, 2, 0, 0, 0}, "20130101", "01/01/2013", false, {}},
        // Fewer fields than an add-on line needs: what is there is read, the rest stays clear.
        {"Lonely", "Lonely", "", {0, 0, 0, 0, 0}, "", "", false, {}},
        {"A 3.2", "A", "3.2", {3, 2, 0, 0, 0}, "", "", false, {}},
        {"A 2.1 (AC160)", "A", "2.1", {2, 1, 0, 0, 16}, "", "", false, {}},
    };
    for (const auto& c : cases) {
        NX_AddonUpdate_Addon addon;
        addon.description = "kept";
        addon.languages.Insert(6);
        ParseAddonLine(c.line, addon);
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Shown(addon.name), c.name);
        EXPECT_EQ(Shown(addon.versionText), c.version);
        EXPECT_EQ(addon.major, c.numbers[0]);
        EXPECT_EQ(addon.minor, c.numbers[1]);
        EXPECT_EQ(addon.revision, c.numbers[2]);
        EXPECT_EQ(addon.build, c.numbers[3]);
        EXPECT_EQ(addon.hostVersion, c.numbers[4]);
        EXPECT_EQ(Shown(addon.dateKey), c.dateKey);
        EXPECT_EQ(Shown(addon.dateText), c.dateText);
        EXPECT_EQ(addon.isEdu, c.isEdu);
        EXPECT_EQ(Languages(addon), c.languages);
        EXPECT_EQ(Shown(addon.description), "kept");
    }
}

TEST(VersionsAddonLineTest, EmptyLineClearsTheWholeRecord) {
    NX_AddonUpdate_Addon addon;
    ParseAddonLine("A 1.2.3.4 (AC160) 01/01/2013 Edu ITA", addon);
    addon.description = "old";
    ParseAddonLine("", addon);
    EXPECT_EQ(Shown(addon.name), "");
    EXPECT_EQ(Shown(addon.versionText), "");
    EXPECT_EQ(Shown(addon.dateKey), "");
    EXPECT_EQ(Shown(addon.dateText), "");
    EXPECT_EQ(Shown(addon.description), "");
    EXPECT_EQ(addon.major + addon.minor + addon.revision + addon.build + addon.hostVersion, 0);
    EXPECT_FALSE(addon.isEdu);
    EXPECT_TRUE(Languages(addon).empty());
}

TEST(VersionsAddonLineTest, CopiesOwnTheirLanguages) {
    NX_AddonUpdate_Addon addon;
    ParseAddonLine("A 1 (AC160) 01/01/2013 ITA", addon);
    NX_AddonUpdate_Addon copy(addon);
    NX_AddonUpdate_Addon assigned;
    assigned = addon;
    addon.languages.Insert(3);
    addon.name = "B";
    EXPECT_EQ(Languages(copy), std::vector<int>{0});
    EXPECT_EQ(Languages(assigned), std::vector<int>{0});
    EXPECT_EQ(Shown(copy.name), "A");
    EXPECT_EQ(Shown(assigned.name), "A");
}

TEST(VersionsLibraryLineTest, NameAndDate) {
    NX_AddonUpdate_Library library;
    ParseLibraryLine("DemoLib 18/09/2012", library);
    EXPECT_EQ(Shown(library.name), "DemoLib");
    EXPECT_EQ(Shown(library.dateKey), "20120918");
    EXPECT_EQ(Shown(library.dateText), "18/09/2012");
    ParseLibraryLine("Short 1/2", library);
    EXPECT_EQ(Shown(library.dateKey), "<null>");
    EXPECT_EQ(Shown(library.dateText), "1/2");
}

TEST(VersionsDescriptionTest, HashLinesJoinedByCrLf) {
    const struct {
        std::vector<const char*> lines;
        int start;
        const char* description;
        int end;
    } cases[] = {
        {{"entry", "# a", "# b"}, 0, "a\r\nb", 2},
        {{"entry", "#  two", "#x", "next", "# c"}, 0, " two\r\n", 2},
        {{"entry", "next"}, 0, "", 0},
        {{"entry"}, 0, "", 0},
        {{"entry", "# a", "", "# b"}, 0, "a", 1},
        {{"entry", "# a", "* note", "# b"}, 0, "a", 1},
        // A lone "#" is an empty line of the description; the lines after it still count.
        {{"entry", "# a", "#", "# b"}, 0, "a\r\n\r\nb", 3},
        {{"x", "entry", "# a"}, 1, "a", 2},
    };
    for (const auto& c : cases) {
        NX_List<NX_String> lines;
        for (const char* line : c.lines) {
            lines.Insert(NX_String(line));
        }
        int index = c.start;
        EXPECT_EQ(Shown(ReadDescriptionLines(lines, index)), c.description)
            << c.lines[1 % c.lines.size()];
        EXPECT_EQ(index, c.end);
    }
}

TEST(VersionsTextTest, LineEndsAndTheEmptyLastLine) {
    const struct {
        const char* text;
        int addons;
        int libraries;
    } cases[] = {
        {"", 0, 0},
        {"A 1 (AC160) 01/01/2013\r\n", 2, 0},
        {"L 01/01/2013\rM 01/01/2013\nN 01/01/2013\r\nO 01/01/2013", 0, 4},
        {"L 01/01/2013\n\r", 2, 1},
        {"* only a comment", 0, 0},
        {"L 01/01/2013 \n", 2, 0},
        {" \t", 0, 1},
    };
    for (const auto& c : cases) {
        Catalogue catalogue;
        Parse(c.text, catalogue);
        EXPECT_EQ(catalogue.addons.GetCount(), c.addons) << '"' << c.text << '"';
        EXPECT_EQ(catalogue.libraries.GetCount(), c.libraries) << '"' << c.text << '"';
        EXPECT_EQ(catalogue.messages.GetCount(), 0);
    }
}

TEST(VersionsTextTest, EmptyLastLineIsAnEmptyAddon) {
    Catalogue catalogue;
    Parse("* header\r\n", catalogue);
    ASSERT_EQ(catalogue.addons.GetCount(), 1);
    const NX_AddonUpdate_Addon& addon = catalogue.addons[0];
    EXPECT_EQ(Shown(addon.name), "");
    EXPECT_EQ(addon.hostVersion, 0);
    EXPECT_FALSE(addon.isEdu);
    EXPECT_TRUE(Languages(addon).empty());
}

TEST(VersionsTextTest, MessagesBoundsTextAndLink) {
    const struct {
        const char* text;
        const char* fromKey;
        const char* toKey;
        const char* message;
        const char* link;
    } cases[] = {
        {"MESSAGE\n# Hello", "", "", "Hello", ""},
        {"MESSAGE 01/01/2013\n# Hello", "20130101", "", "Hello", ""},
        {"MESSAGE 01/01/2013 31/12/2013 extra\n# Hello", "20130101", "20131231", "Hello", ""},
        {"MESSAGE 1/1\n# Hello", "<null>", "", "Hello", ""},
        {"MESSAGES\n# a\n# http://x.example/one http://y.example\n# tail", "", "", "a\r\n",
         "http://x.example/one"},
        {"MESSAGE\n# see HTTP://x and http://y", "", "", "see HTTP://x and ", "http://y"},
        {"MESSAGE", "", "", "", ""},
    };
    for (const auto& c : cases) {
        Catalogue catalogue;
        Parse(c.text, catalogue);
        SCOPED_TRACE(c.text);
        ASSERT_EQ(catalogue.messages.GetCount(), 1);
        const NX_AddonUpdate_Message& message = catalogue.messages[0];
        EXPECT_EQ(Shown(message.fromKey), c.fromKey);
        EXPECT_EQ(Shown(message.toKey), c.toKey);
        EXPECT_EQ(Shown(message.text), c.message);
        EXPECT_EQ(Shown(message.link), c.link);
        EXPECT_EQ(catalogue.addons.GetCount(), 0);
    }
}

// The link runs from the first "http://" or "https://" to the first blank or control character,
// and is kept only when it is a well-formed web address; the text is what comes before it.
TEST(VersionsTextTest, AMessageKeepsOnlyAWellFormedWebAddressAsItsLink) {
    const std::string longest = "http://a.example/" + std::string(kMaximumLinkBytes - 17, 'p');
    const struct {
        std::string line;
        std::string link;  // empty: no link
    } cases[] = {
        {"https://a.example/x then http://b.example", "https://a.example/x"},
        {"go to http://b.example/ or https://a.example", "http://b.example/"},
        {"go to http://b.example, then", ""},
        {"http://a.example/x\ty", "http://a.example/x"},
        {"http://a.example/x\x1b]8;;file:///etc/passwd", "http://a.example/x"},
        {"http://a.example/x\x7fy", "http://a.example/x"},
        {"http://a.example:8080/p?q=1&r=%41#top", "http://a.example:8080/p?q=1&r=%41#top"},
        {"http://[::1]:8080/x", "http://[::1]:8080/x"},
        {"http://a.b-c.example", "http://a.b-c.example"},
        {longest, longest},
        {longest + "p", ""},
        {"http://evil.example/a\" --new-window \"file:///C:/x", ""},
        {"http://evil.example/a'b", ""},
        {"http://a.example\\..\\C:\\x.exe", ""},
        {"http://a.example/<b>", ""},
        {"http:///etc/passwd", ""},
        {"https://", ""},
        {"http://:80/x", ""},
        {"http://user@a.example/", ""},
        {"http://-a.example/", ""},
        {"http://a_b.example/", ""},
        {"http://a.example:0/", ""},
        {"http://a.example:65536/", ""},
        {"http://a.example:/", ""},
        {"http://a.example/%4", ""},
        {"http://a.example/%zz", ""},
        {"http://a.example/\xc3\xa9", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 80));
        Catalogue catalogue;
        Parse("MESSAGE\n# before " + c.line, catalogue);
        ASSERT_EQ(catalogue.messages.GetCount(), 1);
        EXPECT_EQ(Shown(catalogue.messages[0].text),
                  "before " + c.line.substr(0, c.line.find("http")));
        EXPECT_EQ(Shown(catalogue.messages[0].link), c.link);
    }
}

TEST(VersionsTextTest, CommentEndsADescriptionAndHashLinesAfterItAreEntries) {
    Catalogue catalogue;
    Parse("A 1 (AC160) 01/01/2013\n# one\n* note\n# two\n# x y z", catalogue);
    ASSERT_EQ(catalogue.addons.GetCount(), 1);
    EXPECT_EQ(Shown(catalogue.addons[0].description), "one");
    ASSERT_EQ(catalogue.libraries.GetCount(), 1);
    EXPECT_EQ(Shown(catalogue.libraries[0].name), "#");
    EXPECT_EQ(Shown(catalogue.libraries[0].dateText), "two");
    EXPECT_EQ(Shown(catalogue.libraries[0].description), "x y z");
}

TEST(VersionsTextTest, ZeroByteEndsTheText) {
    const std::string text("L 01/01/2013\0M 02/02/2013", 25);
    Catalogue catalogue;
    Parse(text, catalogue);
    ASSERT_EQ(catalogue.libraries.GetCount(), 1);
    EXPECT_EQ(Shown(catalogue.libraries[0].name), "L");
    EXPECT_EQ(catalogue.addons.GetCount(), 0);
}

TEST(VersionsTextTest, HostileTextsStayBounded) {
    Catalogue blanks;
    Parse("A" + std::string(1'000'000, ' ') + "B", blanks);
    ASSERT_EQ(blanks.libraries.GetCount(), 1);
    EXPECT_EQ(Shown(blanks.libraries[0].dateText), "B");

    Catalogue hashes;
    Parse("A\n" + std::string(200'000, '#'), hashes);
    ASSERT_EQ(hashes.addons.GetCount(), 1);
    EXPECT_EQ(NX_String::Length(hashes.addons[0].description.GetText()), 200'000 - 2);

    Catalogue lines;
    Parse(std::string(2'000, '\n'), lines);
    EXPECT_EQ(lines.addons.GetCount(), 2'001);
}

// Each limit of the reader: a catalogue at it is read whole, one a step beyond is not read.
TEST(VersionsTextTest, CataloguesAtTheLimitsAreReadAndBeyondThemAreNot) {
    const std::string flags = Repeated(" ITA", kMaximumLineFields - 4);
    const struct {
        const char* what;
        std::string atLimit;
        std::string beyond;
        int entries;  // read from the one at the limit
    } cases[] = {
        {"blank lines, each an entry", std::string(kMaximumCatalogueEntries - 1, '\n'),
         std::string(kMaximumCatalogueEntries, '\n'), kMaximumCatalogueEntries},
        {"entries of every kind",
         Repeated("L 01/01/2013\nMESSAGE\n", kMaximumCatalogueEntries / 2 - 1) +
             "L 01/01/2013\nMESSAGE",
         Repeated("L 01/01/2013\nMESSAGE\n", kMaximumCatalogueEntries / 2),
         kMaximumCatalogueEntries},
        {"description lines", "A" + Repeated("\n#", kMaximumCatalogueLines - 1),
         "A" + Repeated("\n#", kMaximumCatalogueLines), 1},
        {"comment lines", "*" + Repeated("\n*", kMaximumCatalogueLines - 1),
         "*" + Repeated("\n*", kMaximumCatalogueLines), 0},
        {"fields", "A 1.0 (AC160) 01/01/2013" + flags, "A 1.0 (AC160) 01/01/2013" + flags + " INT",
         1},
    };
    for (const auto& c : cases) {
        Catalogue atLimit;
        EXPECT_TRUE(Parse(c.atLimit, atLimit)) << c.what;
        EXPECT_EQ(
            atLimit.addons.GetCount() + atLimit.libraries.GetCount() + atLimit.messages.GetCount(),
            c.entries)
            << c.what;
        Catalogue beyond;
        EXPECT_FALSE(Parse(c.beyond, beyond)) << c.what;
    }
}

TEST(VersionsFieldsTest, FieldsAndPartsBeyondTheLimitAreLeftOut) {
    NX_List<NX_String> fields;
    SplitFields(("x" + Repeated(" y", kMaximumLineFields)).c_str(), fields);
    ASSERT_EQ(fields.GetCount(), kMaximumLineFields);
    EXPECT_EQ(Shown(fields[kMaximumLineFields - 1]), "y");
    SplitAtChar(("1" + Repeated(".2", kMaximumLineFields)).c_str(), '.', fields);
    EXPECT_EQ(fields.GetCount(), kMaximumLineFields);
}

}  // namespace

// What an update check offers: the catalogue against the installed members, and the message of
// the day, with the rules that decide each row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "update/update_list.h"
#include "update/versions_file.h"

namespace {

struct Reported {
    const char* addonLine;
    const char* libraryLine;
};

struct RowsCase {
    const char* title;
    std::string catalogue;  // lines joined by "\n"
    std::vector<Reported> installed;
    short language;
    std::vector<std::string> rows;  // "name|version|date|description"
};

std::vector<std::string> Rows(const RowsCase& test) {
    NX_List<NX_AddonUpdate_Message> messages;
    NX_List<NX_AddonUpdate_Addon> addons;
    NX_List<NX_AddonUpdate_Library> libraries;
    EXPECT_TRUE(ParseVersionsText(test.catalogue.data(), test.catalogue.size(), messages, addons,
                                  libraries));
    NX_List<NX_AddonUpdate_AddonVerLibVer> reported;
    for (const Reported& member : test.installed) {
        NX_AddonUpdate_AddonVerLibVer area;
        area.addonVersionLine = member.addonLine;
        area.libraryVersionLine = member.libraryLine;
        reported.Insert(area);
    }
    NX_List<UpdateElement> rows;
    ComputeUpdateRows(addons, libraries, reported, test.language, rows);
    std::vector<std::string> shown;
    shown.reserve(static_cast<std::size_t>(rows.GetCount()));
    for (int i = 0; i < rows.GetCount(); ++i) {
        shown.push_back(std::string(rows[i].name.GetText()) + "|" + rows[i].version.GetText() +
                        "|" + rows[i].date.GetText() + "|" + rows[i].description.GetText());
    }
    return shown;
}

constexpr short kEnglish = 1;

const RowsCase kRowsCases[] = {
    {"an empty catalogue offers nothing",
     "",
     {{"Stair 16.0.0.1 (AC160) 01/05/2012", ""}},
     kEnglish,
     {}},
    {"a later date is offered, an equal or earlier one is not",
     "Stair 16.0.0.2 (AC160) 02/05/2012\n# Newer.\nRoof 16.0.0.2 (AC160) 01/05/2012\n"
     "Window 16.0.0.2 (AC160) 30/04/2012",
     {{"Stair 16.0.0.1 (AC160) 01/05/2012", ""},
      {"Roof 16.0.0.1 (AC160) 01/05/2012", ""},
      {"Window 16.0.0.1 (AC160) 01/05/2012", ""}},
     kEnglish,
     {"Stair 16|16.0.0.2|02/05/2012|Newer."}},
    {"a first edition is shown by its name, a later one with its major number",
     "Stair 1.0.0.2 (AC160) 01/01/2012\nRoof 2.0.0.1 (AC160) 01/01/2012\n"
     "Window 3.0.0.1 (AC160) 01/01/2012",
     {},
     kEnglish,
     {"Stair|1.0.0.2|01/01/2012|", "Roof 2|2.0.0.1|01/01/2012|", "Window 3|3.0.0.1|01/01/2012|"}},
    {"only name, host, major and edition together make the installed match",
     "Stair 1.0.0.2 (AC160) 01/01/2012",
     {{"Stair 2.0.0.1 (AC160) 01/05/2012", ""}},
     kEnglish,
     {"Stair|1.0.0.2|01/01/2012|"}},
    {"an older entry is offered to a member of another host, the education edition or another "
     "letter case",
     "Stair 16.0.0.2 (AC160) 01/01/2012\nRoof 16.0.0.2 (AC160) 01/01/2012\n"
     "Window 16.0.0.2 (AC160) 01/01/2012\nDoor 16.0.0.2 (AC160) 01/01/2012",
     {{"Stair 16.0.0.1 (AC150) 01/05/2012", ""},
      {"Roof 16.0.0.1 (AC160) 01/05/2012 Edu", ""},
      {"window 16.0.0.1 (AC160) 01/05/2012", ""},
      {"Door 16.0.0.1 (AC160) 01/05/2012", ""}},
     kEnglish,
     {"Stair 16|16.0.0.2|01/01/2012|", "Roof 16|16.0.0.2|01/01/2012|",
      "Window 16|16.0.0.2|01/01/2012|"}},
    {"a malformed date on either side cannot prove an entry old, so it is offered",
     "Stair 16.0.0.2 (AC160) 1/5\nRoof 16.0.0.2 (AC160) 01/01/2012",
     {{"Stair 16.0.0.1 (AC160) 01/05/2012", ""}, {"Roof 16.0.0.1 (AC160) soon", ""}},
     kEnglish,
     {"Stair 16|16.0.0.2|1/5|", "Roof 16|16.0.0.2|01/01/2012|"}},
    {"a member that does not answer counts as not installed",
     "Sun 16.0.0.2 (AC160) 01/01/2012",
     {},
     kEnglish,
     {"Sun 16|16.0.0.2|01/01/2012|"}},
    {"other hosts and the education edition are never offered",
     "Stair 15.0.0.2 (AC150) 01/09/2012\nStair 16.0.0.9 (AC160) 01/09/2012 Edu",
     {{"Stair 16.0.0.1 (AC160) 01/05/2012", ""}},
     kEnglish,
     {}},
    {"an add-on for Italian and French only is not offered in English",
     "Stair 16.0.0.2 (AC160) 02/05/2012 ITA FRA",
     {},
     kEnglish,
     {}},
    {"an add-on for Italian and French is offered in French",
     "Stair 16.0.0.2 (AC160) 02/05/2012 ITA FRA",
     {},
     2,
     {"Stair 16|16.0.0.2|02/05/2012|"}},
    {"in Japanese only add-ons without language flags are offered",
     "Stair 16.0.0.2 (AC160) 02/05/2012 ITA INT FRA GER SPA\nRoof 16.0.0.2 (AC160) 02/05/2012",
     {},
     5,
     {"Roof 16|16.0.0.2|02/05/2012|"}},
    {"the suite's own entry is compared with its own version",
     "Velmora 16.0.0.1700 (AC160) 20/09/2012\nVelmora 16.0.0.1606 (AC160) 16/07/2012",
     {},
     kEnglish,
     {"Velmora 16|16.0.0.1700|20/09/2012|"}},
    {"a library is offered only when installed and older, named after the add-on entry beside it",
     "Stair 16.0.0.1 (AC160) 01/05/2012\nRoof 16.0.0.1 (AC160) 01/05/2012\n"
     "Stair_Lib 02/05/2012\n# New parts.\nRoof_Lib 02/05/2012\nWindow_Lib 01/01/2012",
     {{"Stair 16.0.0.1 (AC160) 01/05/2012", "Stair_Lib 01/05/2012"},
      {"Window 16.0.0.1 (AC160) 01/05/2012", "Window_Lib 01/01/2012"}},
     kEnglish,
     {"Roof 16|16.0.0.1|01/05/2012|", "Stair 16 (.lib)||02/05/2012|New parts."}},
    {"an empty line is an add-on entry of its own when libraries are paired by place",
     "Stair 16.0.0.1 (AC160) 01/05/2012\n\nRoof 16.0.0.1 (AC160) 01/05/2012\n"
     "Stair_Lib 01/05/2012\nUnused_Lib 01/05/2012\nRoof_Lib 02/05/2012",
     {{"Roof 16.0.0.1 (AC160) 01/05/2012", "Roof_Lib 01/05/2012"}},
     kEnglish,
     {"Stair 16|16.0.0.1|01/05/2012|", "Roof 16 (.lib)||02/05/2012|"}},
    {"the first member that reports a library decides, even with a line too short for a date",
     "Stair 16.0.0.1 (AC160) 01/05/2012\nL 02/05/2012",
     {{"Stair 16.0.0.1 (AC160) 01/05/2012", "L"},
      {"Roof 16.0.0.1 (AC160) 01/05/2012", "L 01/01/2012"}},
     kEnglish,
     {}},
    {"a library line without an add-on entry at its place keeps its own name",
     "Stair_Lib 02/05/2012",
     {{"Stair 16.0.0.1 (AC160) 01/05/2012", "Stair_Lib 01/05/2012"}},
     kEnglish,
     {"Stair_Lib (.lib)||02/05/2012|"}},
    {"a member with an empty or malformed version line is not installed",
     "Stair 16.0.0.2 (AC160) 02/05/2012",
     {{"", ""}, {"garbage", "x"}},
     kEnglish,
     {"Stair 16|16.0.0.2|02/05/2012|"}},
};

TEST(UpdateRows, FollowTheOfferRules) {
    for (const RowsCase& test : kRowsCases) {
        EXPECT_EQ(Rows(test), test.rows) << test.title;
    }
}

struct MessageCase {
    const char* today;
    const char* chosen;  // nullptr: none
};

TEST(MessageOfTheDay, IsTheFirstValidOnTheDay) {
    const std::string catalogue =
        "MESSAGE 01/09/2012 31/12/2012\n# Autumn.\nMESSAGE 01/01/2013\n# From the new year.\n"
        "MESSAGE\n# Always, but later in the file.";
    NX_List<NX_AddonUpdate_Message> messages;
    NX_List<NX_AddonUpdate_Addon> addons;
    NX_List<NX_AddonUpdate_Library> libraries;
    ASSERT_TRUE(ParseVersionsText(catalogue.data(), catalogue.size(), messages, addons, libraries));
    const MessageCase cases[] = {{"20120901", "Autumn."},
                                 {"20121231", "Autumn."},
                                 {"20130101", "From the new year."},
                                 {"20120831", "Always, but later in the file."}};
    for (const MessageCase& test : cases) {
        NX_AddonUpdate_Message chosen;
        ASSERT_TRUE(ChooseMessage(messages, test.today, chosen)) << test.today;
        EXPECT_STREQ(chosen.text.GetText(), test.chosen) << test.today;
    }
    NX_List<NX_AddonUpdate_Message> none;
    NX_AddonUpdate_Message chosen;
    EXPECT_FALSE(ChooseMessage(none, "20120901", chosen));
}

}  // namespace

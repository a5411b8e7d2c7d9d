// The member table's rows follow the rules that tie a tool's codes together, so that every row
// can be reached, and a lookup by name matches only the exact table name.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>

#include "members/member_registry.h"
#include "resources/resource_ids.h"

namespace {

std::string Text(GSType code) {
    return {static_cast<char>(code >> 24), static_cast<char>(code >> 16),
            static_cast<char>(code >> 8), static_cast<char>(code)};
}

bool IsCapital(char c) {
    return std::isupper(static_cast<unsigned char>(c)) != 0;
}
bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

TEST(MemberTable, CodesFollowTheLaunchCode) {
    std::map<std::string, int> launchCodes;
    for (int index = 0; index < kMemberCount; ++index) {
        SCOPED_TRACE("row " + std::to_string(index));
        const std::string launch = Text(MemberLaunchCode(index));
        const std::string version = Text(MemberVersionCode(index));
        const std::string language = Text(MemberLanguageCode(index));
        EXPECT_TRUE(IsCapital(launch[0]) && IsCapital(launch[1]) && IsCapital(launch[2]) &&
                    IsDigit(launch[3]))
            << launch;
        EXPECT_EQ(version[0], 'V');
        EXPECT_EQ(version[1], launch[0]);
        EXPECT_TRUE(version[2] == launch[1] || version[2] == launch[2]) << version;
        EXPECT_EQ(version[3], launch[3]);
        EXPECT_EQ(language, "L" + version.substr(1));
        EXPECT_TRUE(launchCodes.emplace(launch, index).second) << launch << " is used twice";
    }
}

TEST(MemberTable, AllShareTheHubsDeveloperAndOnlyTheTwoEditionsShareALocalId) {
    std::map<std::uint32_t, int> rowsOfLocalId;
    for (int index = 0; index < kMemberCount; ++index) {
        const std::uint64_t identity = MemberIdentity(index);
        EXPECT_EQ(static_cast<std::uint32_t>(identity), resource_ids::kSuiteDeveloperId);
        EXPECT_NE(static_cast<std::uint32_t>(identity >> 32), resource_ids::kHubLocalId);
        ++rowsOfLocalId[static_cast<std::uint32_t>(identity >> 32)];
    }
    EXPECT_EQ(rowsOfLocalId.size(), static_cast<std::size_t>(kMemberCount - 1));
    EXPECT_EQ(MemberIdentity(6), MemberIdentity(19));
    EXPECT_NE(MemberLaunchCode(6), MemberLaunchCode(19));
}

TEST(MemberTable, RowsOutsideTheTableAreBlank) {
    for (const int index : {-1, kMemberCount, 1000}) {
        EXPECT_EQ(MemberLaunchCode(index), 0x20202020);
        EXPECT_EQ(MemberVersionCode(index), 0x20202020);
        EXPECT_EQ(MemberLanguageCode(index), 0x20202020);
        EXPECT_EQ(MemberIdentity(index), 0x2020202020202020U);
        EXPECT_EQ(MemberTableName(index), nullptr);
    }
}

TEST(MemberTable, NamesMatchExactly) {
    const struct {
        const char* name;
        int index;
    } kCases[] = {
        {"StairMaker", 0},   {"FacadeComposer", 6},   {"FacadeComposer 2", 19},
        {"SunStudy", 20},    {"stairmaker", -1},      {"Stair Designer", -1},
        {"StairMaker ", -1}, {"FacadeComposer2", -1}, {"", -1},
        {nullptr, -1},
    };
    for (const auto& entry : kCases) {
        EXPECT_EQ(MemberIndexByName(entry.name), entry.index)
            << (entry.name != nullptr ? entry.name : "(null)");
    }
    for (int index = 0; index < kMemberCount; ++index) {
        EXPECT_EQ(MemberIndexByName(MemberTableName(index)), index);
    }
}

}  // namespace

#include "members/member_registry.h"

#include <cstring>

#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "members/presence_marker.h"
#include "resources/resource_ids.h"

namespace {

constexpr GSType kBlankCode = 0x20202020;
constexpr std::uint32_t kBlankId = 0x20202020;
constexpr short kMissingAddonTitle = 1;
constexpr short kMissingAddonText = 4;

bool InTable(int index) {
    return index >= 0 && index < kMemberCount;
}

GSType Code(const char* text) {
    return static_cast<GSType>(static_cast<unsigned char>(text[0])) << 24 |
           static_cast<GSType>(static_cast<unsigned char>(text[1])) << 16 |
           static_cast<GSType>(static_cast<unsigned char>(text[2])) << 8 |
           static_cast<GSType>(static_cast<unsigned char>(text[3]));
}

API_ModulID ModuleId(int index) {
    const std::uint64_t identity = MemberIdentity(index);
    return {static_cast<std::uint32_t>(identity), static_cast<std::uint32_t>(identity >> 32)};
}

}  // namespace

std::uint64_t MemberIdentity(int index) {
    const std::uint32_t developer = InTable(index) ? resource_ids::kSuiteDeveloperId : kBlankId;
    const std::uint32_t local = InTable(index) ? kMemberRows[index].localId : kBlankId;
    return static_cast<std::uint64_t>(local) << 32 | developer;
}

GSType MemberLaunchCode(int index) {
    return InTable(index) ? Code(kMemberRows[index].launchCode) : kBlankCode;
}

GSType MemberVersionCode(int index) {
    return InTable(index) ? Code(kMemberRows[index].versionCode) : kBlankCode;
}

GSType MemberLanguageCode(int index) {
    if (!InTable(index)) {
        return kBlankCode;
    }
    const GSType version = MemberVersionCode(index);
    return (version & 0x00FFFFFF) | static_cast<GSType>('L') << 24;
}

const char* MemberTableName(int index) {
    return InTable(index) ? kMemberRows[index].tableName : nullptr;
}

int MemberIndexByName(const char* tableName) {
    for (int index = 0; index < kMemberCount; ++index) {
        if (tableName != nullptr && std::strcmp(kMemberRows[index].tableName, tableName) == 0) {
            return index;
        }
    }
    return -1;
}

bool IsMemberPresent(int index) {
    const API_ModulID module = ModuleId(index);
    return HostInterface::CommandTest(&module, MemberLaunchCode(index), 0) == NoError;
}

void LaunchMember(int index) {
    if (!IsMemberPresent(index)) {
        const short errors = static_cast<short>(resource_ids::kErrorStrings + LanguageIndex);
        NX_Alert(-1, NX_GetString(errors, kMissingAddonTitle).GetText(),
                 NX_GetString(errors, kMissingAddonText).GetText(), nullptr);
        return;
    }
    // Members look for the marker when they start, to know that the hub is there; one that finds
    // none still runs, as without the hub.
    static_cast<void>(CreatePresenceMarker());
    const API_ModulID module = ModuleId(index);
    // The member answered the test just now: what it does with the launch is its own business.
    static_cast<void>(
        HostInterface::CommandCall(&module, MemberLaunchCode(index), 0, nullptr, nullptr, false));
}

bool SendLanguageCommand(int index) {
    const API_ModulID module = ModuleId(index);
    return HostInterface::CommandCall(&module, MemberLanguageCode(index), 0, nullptr, nullptr,
                                      false) == NoError;
}

bool GetMemberVersion(int index, NX_AddonUpdate_AddonVerLibVer& area) {
    area = NX_AddonUpdate_AddonVerLibVer{};
    const API_ModulID module = ModuleId(index);
    return HostInterface::CommandCall(&module, MemberVersionCode(index), 0, nullptr,
                                      reinterpret_cast<GSPtr>(&area), false) == NoError;
}

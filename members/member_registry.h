// The suite's member tools: a fixed table (resources/members.md, generated into
// members/member_table.h), and the commands the hub sends them through the host. The hub never
// links to a member; it addresses each by its identity and a command code.
#pragma once

#include <cstdint>

#include "acapi/ac_types.h"
#include "foundation/nx_addon_version.h"
#include "members/member_table.h"

// The developer ID in the low 32 bits, the local ID in the high 32 bits; an index outside the
// table gives four blanks in each half.
std::uint64_t MemberIdentity(int index);
// Four characters, the first in the most significant byte; "    " outside the table.
GSType MemberLaunchCode(int index);
GSType MemberVersionCode(int index);
GSType MemberLanguageCode(int index);
// The name that identifies the member in the palette's list; null outside the table.
const char* MemberTableName(int index);

// The first row whose table name equals `tableName` byte for byte; -1 when none does.
int MemberIndexByName(const char* tableName);
// The member is loaded in the host and answers its launch code.
bool IsMemberPresent(int index);
// Runs the member, writing the presence marker first; a missing member gives the
// "Missing add-on!" alert.
void LaunchMember(int index);
// Tells the member that the interface language changed.
[[nodiscard]] bool SendLanguageCommand(int index);
// Clears `area`, then asks the member to fill it.
[[nodiscard]] bool GetMemberVersion(int index, NX_AddonUpdate_AddonVerLibVer& area);

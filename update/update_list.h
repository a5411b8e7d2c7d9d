// The results step of an update check: the catalogue compared with what is installed, and the
// message of the day.
#pragma once

#include "foundation/nx_addon_version.h"
#include "foundation/nx_list.h"
#include "foundation/nx_string.h"
#include "update/update_records.h"
#include "update/update_results.h"

// Reads the downloaded catalogue, asks the members for their versions, rebuilds the results and
// the message, starts the banner download and shows the results window. An unreadable
// catalogue changes nothing and shows nothing.
void BuildUpdateList();

// The offered add-ons and libraries that are new for this user, add-ons first, each in file
// order. `reported` is what the members said of themselves.
void ComputeUpdateRows(const NX_List<NX_AddonUpdate_Addon>& offeredAddons,
                       const NX_List<NX_AddonUpdate_Library>& offeredLibraries,
                       const NX_List<NX_AddonUpdate_AddonVerLibVer>& reported, short language,
                       NX_List<UpdateElement>& rows);

// The first message valid on `todayKey` (YYYYMMDD); false when none is.
bool ChooseMessage(const NX_List<NX_AddonUpdate_Message>& messages, const NX_String& todayKey,
                   NX_AddonUpdate_Message& chosen);

// Today's date in local time as YYYYMMDD.
NX_String TodayKey();

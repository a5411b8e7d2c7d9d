// The suite palette's record and the pop-up of member tools inside its window: what the menu's
// texts and the palette window both read.
#pragma once

#include <cstdint>

#include "foundation/nx_list.h"
#include "foundation/nx_string.h"

struct PaletteRecord {
    short dialogId = 0;
    bool closed = true;  // no palette opened since the last close
    std::int32_t controlFlags = 0;
    bool userToggled = false;       // shown or hidden from the menu since it was opened
    NX_List<NX_String> memberList;  // table names of the members in the pop-up, in pop-up order
};

PaletteRecord& Palette();

// The dialog exists and is open.
bool IsPaletteOpen();
// The dialog exists, is open and is visible.
bool IsPaletteShown();

// Asks every member whether it is loaded and lists those that answer; with none, the load
// problem notice is shown.
void RebuildMemberList();
void RebuildMemberListIfVisible();
// The help entry and the fixed pop-up texts ("Start...", the refresh entry) in the current
// language; nothing while there is no palette.
void RefreshPalettePopupTexts();
// Tells every member in the pop-up that the interface language changed.
void SendLanguageToListedMembers();
// The user chose an entry of the pop-up: a member is launched, the refresh entry rebuilds it.
void OnPalettePopupChange(short dialog, short item);

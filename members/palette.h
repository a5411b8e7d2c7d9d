// The suite palette: a small floating window with a pop-up of the member tools that are loaded.
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

// Menu item 1 while the palette is closed: creates the window and fills its list.
void OpenPalette();
// Menu item 1 while it is open: hides or shows it.
void TogglePalette();
// Closes the palette if its dialog is open, then resets the record (unload).
void ClosePalette();
// No dialog, marked closed, no flags, empty member list.
void ResetPalette();
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
// Item 5 ("About…") of every language's menu.
void SetAboutItemEnabled(bool enabled);

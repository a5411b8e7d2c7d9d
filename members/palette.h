// The suite palette: a small floating window with a pop-up of the member tools that are loaded.
#pragma once

#include <cstdint>

#include "foundation/nx_list.h"
#include "foundation/nx_string.h"

struct PaletteRecord {
    short dialogId = 0;
    bool closed = true;  // no palette opened since the last close
    std::int32_t controlFlags = 0;
    bool userToggled = false;
    NX_List<NX_String> memberList;  // table names of the members in the pop-up, in pop-up order
};

PaletteRecord& Palette();

// No dialog, marked closed, no flags, empty member list.
void ResetPalette();
// Closes the palette if its dialog is open, then resets the record (unload).
void ClosePalette();
// The dialog exists, is open and is visible.
bool IsPaletteShown();

// The suite palette: a small floating window with a pop-up of the member tools that are loaded.
#pragma once

// Menu item 1 while the palette is closed: creates the window and fills its list.
void OpenPalette();
// Menu item 1 while it is open: hides or shows it.
void TogglePalette();
// Closes the palette if its dialog is open, then resets the record (unload).
void ClosePalette();
// No dialog, marked closed, no flags, empty member list.
void ResetPalette();

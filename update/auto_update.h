// The automatic update check's switch: menu item 4's check mark and "AutoUpdate" in the
// version settings.
#pragma once

#include <cstdint>

// The check mark of `item` in the menus from the setting (missing or empty counts as on).
void SetAutoUpdateMarks(short firstList, std::int32_t item);
// Flips the check mark and stores the new state.
void ToggleAutoUpdate(short firstList, std::int32_t item);
// At the first command of the module's menu: a check when "AutoUpdate" is on and the last check
// is old enough; a first run with nothing stored turns the setting on and waits for next time.
void AutoUpdateTrigger();

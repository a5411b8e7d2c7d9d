// One update check: the results window created hidden, the catalogue fetched in the background,
// and the results step run on the host's main thread once the catalogue is in.
#pragma once

#include <cstdint>

// Starts a check; an automatic one only when the last check is 14 days old or more. False when
// the settings folder cannot be found.
bool RunUpdateCheck(bool manual);

// Whether an automatic check is due at `now`, the last one having started at `lastCheck`
// (the low 32 bits of the seconds since 1970, as the settings keep them; 0: never).
bool AutomaticCheckDue(std::int32_t lastCheck, std::int32_t now);

// At unload: stops the downloads and closes the results window.
void EndUpdateService();

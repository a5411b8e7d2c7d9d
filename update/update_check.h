// One update check: the results window created hidden, the catalogue fetched in the background,
// and the results step run on the host's main thread once the catalogue is in.
#pragma once

// Starts a check; an automatic one only when the last check is 14 days old or more. False when
// the settings folder cannot be found.
bool RunUpdateCheck(bool manual);

// At unload: stops the downloads and closes the results window.
void EndUpdateService();

// Each line of a catalogue as the hub takes it.
#pragma once

#include "tools/velmora-catalogue/catalogue_reading.h"

namespace catalogue {

void PrintListing(const CatalogueReading& reading);

// The line (1-based) of the add-on entry at `position` of the reading's list, 0 when none.
int LineOfAddon(const CatalogueReading& reading, int position);

}  // namespace catalogue

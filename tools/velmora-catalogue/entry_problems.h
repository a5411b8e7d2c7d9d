// Problems of the entries as the hub read them: dates, fields, flags, hosts, the pairing of
// libraries with add-on entries and the date ranges of the messages.
#pragma once

#include "tools/velmora-catalogue/catalogue_reading.h"
#include "tools/velmora-catalogue/diagnostics.h"

namespace catalogue {

void FindEntryProblems(const CatalogueReading& reading, Diagnostics& diagnostics);

}  // namespace catalogue

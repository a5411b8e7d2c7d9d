// The messages of the day: bounds that never apply and ranges that meet.
#pragma once

#include "tools/velmora-catalogue/catalogue_reading.h"
#include "tools/velmora-catalogue/diagnostics.h"

namespace catalogue {

void FindMessageProblems(const CatalogueReading& reading, Diagnostics& diagnostics);

}  // namespace catalogue

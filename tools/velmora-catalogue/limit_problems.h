// A catalogue beyond the reader's limits, which the hub then does not read at all.
#pragma once

#include "tools/velmora-catalogue/catalogue_file.h"
#include "tools/velmora-catalogue/catalogue_reading.h"
#include "tools/velmora-catalogue/diagnostics.h"

namespace catalogue {

void FindLimitProblems(const CatalogueFile& file, const CatalogueReading& reading,
                       Diagnostics& diagnostics);

}  // namespace catalogue

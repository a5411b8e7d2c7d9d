// velmora-catalogue check FILE: the catalogue line by line as the hub takes it, then its
// problems.
#pragma once

#include "tools/velmora-catalogue/catalogue_file.h"

namespace catalogue {

// The exit status: 0 without errors, 1 with.
int CheckCatalogue(const CatalogueFile& file);

}  // namespace catalogue

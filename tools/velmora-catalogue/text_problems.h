// Problems of the file's bytes: what the conversion to the hub's code page changes or loses.
#pragma once

#include "tools/velmora-catalogue/catalogue_file.h"
#include "tools/velmora-catalogue/diagnostics.h"

namespace catalogue {

void FindTextProblems(const CatalogueFile& file, Diagnostics& diagnostics);

}  // namespace catalogue

// velmora-catalogue preview: what a user sees after "Check for Updates" with this catalogue,
// from a manual check of the real hub in the emulated host against a local update server.
#pragma once

#include "tools/velmora-catalogue/catalogue_file.h"
#include "tools/velmora-catalogue/preview_options.h"

namespace catalogue {

// The exit status: 0 when the results window was shown, 1 when the check showed none.
int PreviewCatalogue(const CatalogueFile& file, const PreviewOptions& options);

}  // namespace catalogue

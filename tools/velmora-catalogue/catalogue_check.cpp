#include "tools/velmora-catalogue/catalogue_check.h"

#include <cstdio>

#include "tools/velmora-catalogue/catalogue_listing.h"
#include "tools/velmora-catalogue/catalogue_reading.h"
#include "tools/velmora-catalogue/diagnostics.h"
#include "tools/velmora-catalogue/entry_problems.h"
#include "tools/velmora-catalogue/limit_problems.h"
#include "tools/velmora-catalogue/text_problems.h"

namespace catalogue {

int CheckCatalogue(const CatalogueFile& file) {
    CatalogueReading reading;
    ReadCatalogue(file.bytes, reading);
    std::printf("%s: %d add-on entries, %d libraries, %d messages\n", file.path.c_str(),
                reading.addons.GetCount(), reading.libraries.GetCount(),
                reading.messages.GetCount());
    PrintListing(reading);

    Diagnostics diagnostics;
    FindLimitProblems(file, reading, diagnostics);
    FindTextProblems(file, diagnostics);
    FindEntryProblems(reading, diagnostics);
    diagnostics.Print(file.path);
    return diagnostics.Errors() > 0 ? 1 : 0;
}

}  // namespace catalogue

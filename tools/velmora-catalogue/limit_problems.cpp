#include "tools/velmora-catalogue/limit_problems.h"

#include <string>

namespace catalogue {

namespace {

constexpr const char* kNotRead =
    ": the hub reads none of such a catalogue and shows no update at all";

// The lines the reader counts: those up to the first NUL byte.
int CountedLines(const CatalogueFile& file) {
    int count = 0;
    for (const std::string& line : file.lines) {
        ++count;
        if (line.find('\0') != std::string::npos) {
            break;
        }
    }
    return count;
}

int Entries(const CatalogueReading& reading) {
    return reading.messages.GetCount() + reading.libraries.GetCount() + reading.addons.GetCount();
}

}  // namespace

void FindLimitProblems(const CatalogueFile& file, const CatalogueReading& reading,
                       Diagnostics& diagnostics) {
    if (reading.withinLimits) {
        return;
    }
    const int lines = CountedLines(file);
    if (lines > kMaximumCatalogueLines) {
        diagnostics.Error(kMaximumCatalogueLines + 1,
                          "the catalogue has " + std::to_string(lines) + " lines, more than " +
                              std::to_string(kMaximumCatalogueLines) + kNotRead);
        return;
    }
    // The reader stopped at the entry after the last line it took.
    const int stopped = reading.taken.empty() ? 1 : reading.taken.back().lastDescription + 2;
    if (Entries(reading) == kMaximumCatalogueEntries) {
        diagnostics.Error(stopped, "entry " + std::to_string(kMaximumCatalogueEntries + 1) +
                                       ": a catalogue has at most " +
                                       std::to_string(kMaximumCatalogueEntries) + " entries" +
                                       kNotRead);
    } else {
        diagnostics.Error(stopped, "the line has more than " + std::to_string(kMaximumLineFields) +
                                       " fields" + kNotRead);
    }
}

}  // namespace catalogue

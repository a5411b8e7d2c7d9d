// The catalogue read by the hub's own reader, with how it took each line.
#pragma once

#include <string>
#include <vector>

#include "foundation/nx_list.h"
#include "update/update_records.h"
#include "update/versions_file.h"

namespace catalogue {

struct TakenLine {
    VersionsLineKind kind;
    int line;             // 0-based
    int lastDescription;  // the last "#" line taken with it; `line` when none
    int position;         // the record's place in its list (-1 for a comment)
};

struct CatalogueReading {
    NX_List<NX_AddonUpdate_Message> messages;
    NX_List<NX_AddonUpdate_Addon> addons;
    NX_List<NX_AddonUpdate_Library> libraries;
    std::vector<std::string> lines;  // the converted (ANSI) lines, as the hub holds them
    std::vector<TakenLine> taken;    // in file order
    bool withinLimits = true;        // false: beyond the reader's limits, so the hub reads none
};

// A line cut into fields by the hub's own splitter.
std::vector<std::string> FieldsOf(const std::string& line);

// Reads the catalogue's bytes exactly as the hub reads its downloaded copy.
void ReadCatalogue(const std::string& bytes, CatalogueReading& reading);

}  // namespace catalogue

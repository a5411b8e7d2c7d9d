// Writing the version report to the file the user chose.
#pragma once

#include "foundation/nx_list.h"
#include "foundation/nx_string.h"

// Writes the lines' bytes, in order, to `path` (a location text). The text goes to a file beside
// the target first and replaces the target only when complete, so a failure half way leaves an
// older file as it was. False when anything fails.
bool WriteReportFile(const NX_String& path, const NX_List<NX_String>& lines);

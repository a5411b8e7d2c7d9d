// Writing the version report to the file the user chose.
#pragma once

#include "foundation/nx_list.h"
#include "foundation/nx_location.h"
#include "foundation/nx_string.h"

// Writes the lines' bytes, in order, to `path`. The text goes to a private file beside the target
// first and replaces the target only when complete, so a failure half way leaves an older file
// as it was. False when anything fails.
[[nodiscard]] bool WriteReportFile(const NX_Location& path, const NX_List<NX_String>& lines);

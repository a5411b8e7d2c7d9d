// The save dialog of the version report: the "Text Files" type, its title and default name, and
// the rule that the chosen name ends in ".txt".
#pragma once

#include "acapi/ac_types.h"
#include "foundation/nx_location.h"
#include "foundation/nx_string.h"

// Registers the file type with the host's file type manager and shows the host's save dialog
// with it as the only filter. `defaultName` may carry a folder before its last backslash, where
// the dialog then opens. True and the chosen place, exactly as the host gives it, in `path` when
// the user confirms.
[[nodiscard]] bool ShowSaveDialog(NX_Location& path, const char* typeDescription,
                                  const char* extension, GSType typeCode, const NX_String& title,
                                  const NX_String& defaultName);
// The save dialog in the current language. True when the user cancelled (`cancelled` then true)
// or chose a name whose extension is "txt" in any letter case; false for any other name.
[[nodiscard]] bool AskReportFile(NX_Location& path, bool& cancelled);

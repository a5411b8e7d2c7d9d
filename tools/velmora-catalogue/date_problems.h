// A date as the hub reads it: only its character positions count, and nothing is validated.
#pragma once

#include <string>

#include "foundation/nx_string.h"
#include "tools/velmora-catalogue/diagnostics.h"

namespace catalogue {

// Whether the key the hub made is a calendar day, YYYYMMDD.
bool IsRealDate(const NX_String& key);
// Reports a date that gives no key or a key that is no calendar day; `consequence` says what
// the hub then does ("so ...").
void CheckDate(const std::string& text, const NX_String& key, int line,
               const std::string& consequence, Diagnostics& diagnostics);
// DD/MM/YYYY of a real key.
std::string DateOfKey(const NX_String& key);

}  // namespace catalogue

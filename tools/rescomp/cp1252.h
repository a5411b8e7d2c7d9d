// Code page 1252, the code page of the string lists that are not stored in UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "diagnostics.h"

namespace rescomp {

// `utf8` in code page 1252. A character the code page lacks is a fault at `where`.
std::string ToCp1252(std::string_view utf8, const SourcePosition& where);

}  // namespace rescomp

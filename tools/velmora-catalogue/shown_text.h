// The hub's 8-bit texts shown on a UTF-8 terminal.
#pragma once

#include <string>

#include "foundation/nx_string.h"

namespace catalogue {

// An ANSI text as UTF-8.
std::string Utf8OfAnsi(const std::string& ansi);
// In double quotes, with CR, LF and tab written \r, \n and \t; a null text is <null>.
std::string Quoted(const NX_String& text);
std::string Quoted(const std::string& ansi);

}  // namespace catalogue

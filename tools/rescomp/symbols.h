// Named resource numbers, read from the constexpr lines of a C++ header such as
// resources/resource_ids.h, so that a number is written once for the code and the resources.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace rescomp {

using Symbols = std::map<std::string, std::int64_t, std::less<>>;

// Adds the constants of `header` ("constexpr <type> <name> = <number>;", one a line) to
// `symbols`. Other lines are skipped; a constexpr line of another shape, or a name given two
// different numbers, is a fault.
void ReadSymbolHeader(const std::filesystem::path& header, Symbols& symbols);

}  // namespace rescomp

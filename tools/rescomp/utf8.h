// Decoding of the UTF-8 that every resource source is written in.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace rescomp {

// The code points of `text`, or nothing when it is not well-formed UTF-8.
std::optional<std::vector<char32_t>> DecodeUtf8(std::string_view text);

}  // namespace rescomp

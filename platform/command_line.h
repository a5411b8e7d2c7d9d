// A program's arguments in UTF-8, whatever script they are in.
#pragma once

#include <string>
#include <vector>

namespace platform {

// On Windows the 8-bit arguments hold only what the code page holds; the system's wide command
// line is taken instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

}  // namespace platform

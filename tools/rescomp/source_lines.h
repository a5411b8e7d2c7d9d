// The lines of a source file, checked to be UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rescomp {

// The file's lines without their line ends and without a leading byte-order mark. An unreadable
// file or a line that is not well-formed UTF-8 is a fault.
std::vector<std::string> ReadSourceLines(const std::filesystem::path& file);

// The file's bytes, unchanged; an unreadable file is a fault.
std::string ReadFileBytes(const std::filesystem::path& file);

}  // namespace rescomp

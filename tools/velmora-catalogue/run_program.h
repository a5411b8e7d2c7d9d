// Runs a program to its end with its standard output in a file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace catalogue {

// The program's exit status; -1 when it could not be started or did not end normally.
int RunProgram(const std::vector<std::string>& command, const std::filesystem::path& output);

}  // namespace catalogue

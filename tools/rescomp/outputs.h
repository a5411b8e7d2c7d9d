// The two forms a module's resources are built into. Both carry the same payload bytes.
#pragma once

#include <filesystem>
#include <vector>

#include "resource_set.h"

namespace rescomp {

// `folder`/resources.rc for windres, naming payload files <type>_<number>.bin beside it.
void WriteWindowsResources(const std::filesystem::path& folder,
                           const std::vector<Resource>& resources);
// `folder`/resources.cpp: the payloads as arrays and the exported resource directory.
void WriteEmbeddedResources(const std::filesystem::path& folder,
                            const std::vector<Resource>& resources);
// A make-style dependency file: `target` depends on every file in `inputs`.
void WriteDependencyFile(const std::filesystem::path& file, const std::filesystem::path& target,
                         const std::vector<std::filesystem::path>& inputs);

}  // namespace rescomp

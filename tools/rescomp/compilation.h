// Turns resource sources into the resources of one module.
#pragma once

#include <filesystem>
#include <vector>

#include "resource_set.h"

namespace rescomp {

struct Compilation {
    ResourceSet resources;
    std::vector<std::filesystem::path> inputs;  // every file read, for the build's dependencies
};

// Adds the resources of `source` to `compilation`; a fault in it throws CompileError.
void CompileSource(const std::filesystem::path& source, Compilation& compilation);

// Faults that only the whole module shows: a library folder entry without its file resource.
void CheckReferences(const Compilation& compilation);

}  // namespace rescomp

// The runner watches what a loaded module asks of the system by pointing some of the module's
// imports, found by name in its import table, at functions of its own.
#pragma once

#include <string>

namespace velmora_host {

// The runner's function to call instead of the imported function `name`, or null to leave it.
using ReplacementOf = void* (*)(const char* name);

// Rewrites each import of the loaded module at moduleNativePath (UTF-8) for which replacementOf
// names a function; a module that is not loaded is left alone.
void RedirectImports(const std::string& moduleNativePath, ReplacementOf replacementOf);

}  // namespace velmora_host

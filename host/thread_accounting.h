// Per-module thread accounting, the way a profiler does it: the module's own import of the
// system's thread-creation function is redirected to a host wrapper that counts the thread as
// the module's while its start routine runs.
#pragma once

#include <cstdint>
#include <string>

namespace host {

// Redirects the loaded module's import (`library` as the platform loaded it). False when the
// module imports no thread-creation function (its threads are then not counted).
bool InstallThreadAccounting(void* library);
// Threads the module started that have not returned from their start routine.
std::int64_t ThreadsOfLibrary(void* library);
std::int64_t ThreadsOfAllLibraries();

}  // namespace host

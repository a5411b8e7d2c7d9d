// The system's side of FileLock (file_lock.h): its steps, on an open lock file.
#pragma once

#include <cstdint>
#include <string>

namespace platform::lock_file {

enum class Opening {
    Opened,   // an empty file of ours, made now or left by an earlier holder
    Passing,  // the name is between two holders (removed, or about to be): try again
    Refused,  // something that is no lock file stands at the name, or the folder refuses it
};

// Opens the lock file at `utf8Path`, making it when missing; never follows a link.
[[nodiscard]] Opening Open(const std::string& utf8Path, std::intptr_t& handle);
// The exclusive lock on the open file, if no other process holds it; never waits.
[[nodiscard]] bool TryLock(std::intptr_t handle);
// Whether the name still leads to the open file: a holder may have removed it meanwhile.
[[nodiscard]] bool StillNamed(std::intptr_t handle, const std::string& utf8Path);
// Removes the file that the handle holds, then closes it, which lets go of the lock.
void RemoveAndClose(std::intptr_t handle, const std::string& utf8Path);
void Close(std::intptr_t handle);

}  // namespace platform::lock_file

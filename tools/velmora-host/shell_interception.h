// What modules hand to the system shell is recorded instead of opened, so that a session shows
// which document or address the user would have seen.
#pragma once

#include <string>
#include <vector>

namespace velmora_host {

// Before any module is loaded.
void InterceptShellOpens();
// After a module is loaded, with the path it was loaded from.
void InterceptShellOpensOf(const std::string& moduleNativePath);
// What was handed to the shell since the last call, in order: documents in the host's location
// form, addresses as they were given.
std::vector<std::string> TakeShellOpens();

}  // namespace velmora_host

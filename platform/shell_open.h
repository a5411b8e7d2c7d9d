// Hands a document path or a web address to the system to open with the user's default
// application.
#pragma once

namespace platform {

// The path is in the host's location form ("C:\folder\file.pdf"); an address is passed as it
// is. Whether the system could open it is not reported.
void OpenInShell(const char* pathOrAddress);

}  // namespace platform

// Hands a document path or a web address to the system to open with the user's default
// application.
#pragma once

#include <string>

namespace platform {

// A web address, passed as it is. Whether the system could open it is not reported, here and
// below.
void OpenInShell(const char* address);
// A document at a location text in UTF-8 ("C:\folder\file.pdf"), handed over exactly: on
// Windows through the 8-bit call when the code page holds the path, else through the wide one.
void OpenFileInShell(const std::string& utf8LocationText);

}  // namespace platform

// Hands a document path or a web address to the system to open with the user's default
// application.
#pragma once

#include <string>

namespace platform {

// A web address in the system's code page, handed over as it is (on Windows in UTF-16, through
// the wide call, so that no character is fitted to another); false when the shell could not
// open it. Neither shows a message of its own.
[[nodiscard]] bool OpenInShell(const char* address);
// A document at a location text in UTF-8 ("C:\folder\file.pdf"), handed over exactly: on
// Windows through the 8-bit call when the code page holds the path, else through the wide one.
// Whether the system could open it is not reported.
void OpenFileInShell(const std::string& utf8LocationText);

}  // namespace platform

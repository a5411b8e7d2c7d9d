#include "platform/shell_open.h"

// shellapi.h needs the types of windows.h first.
#include <windows.h>

#include <shellapi.h>

namespace platform {

void OpenInShell(const char* pathOrAddress) {
    ShellExecuteA(nullptr, "open", pathOrAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace platform

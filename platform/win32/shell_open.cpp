#include "platform/shell_open.h"

#include <shellapi.h>
#include <windows.h>

namespace platform {

void OpenInShell(const char* pathOrAddress) {
    ShellExecuteA(nullptr, "open", pathOrAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace platform

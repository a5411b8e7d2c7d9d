#include "platform/shell_open.h"

// shellapi.h needs the types of windows.h first.
#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace platform {

namespace {

// What ShellExecute answers above this is success.
constexpr INT_PTR kLastFailure = 32;

}  // namespace

bool OpenInShell(const char* address) {
    const char* text = address != nullptr ? address : "";
    const int count = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (count <= 0) {
        return false;
    }
    std::vector<wchar_t> wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, -1, wide.data(), count);
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", wide.data(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > kLastFailure;
}

void OpenFileInShell(const std::string& utf8LocationText) {
    const std::vector<wchar_t> wide = win32::WideOfUtf8(utf8LocationText);
    // Without best fit, a character the code page lacks shows as the default character, so the
    // 8-bit path is used only when it names the very same file.
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), -1, nullptr, 0,
                                         nullptr, &lossy);
    std::vector<char> ansi(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), -1, ansi.data(), size, nullptr,
                        &lossy);
    if (!lossy && size > 0) {
        ShellExecuteA(nullptr, "open", ansi.data(), nullptr, nullptr, SW_SHOWNORMAL);
    } else {
        ShellExecuteW(nullptr, L"open", wide.data(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

}  // namespace platform

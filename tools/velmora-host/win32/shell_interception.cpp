// Modules open documents with SHELL32's ShellExecuteA, or ShellExecuteW for a path the code page
// cannot hold. The runner points those imports of each loaded module at recorders instead, which
// keep what was opened in UTF-8, as the transcript shows it.
#include "tools/velmora-host/shell_interception.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/wide_text.h"
#include "tools/velmora-host/win32/import_redirect.h"

namespace velmora_host {

namespace {

using platform::win32::Utf8OfWide;

bool intercepting = false;
std::vector<std::string> opened;

// What ShellExecuteA answers on success: a value above 32.
constexpr INT_PTR kOpened = 42;

HINSTANCE WINAPI RecordShellExecuteW(HWND /*window*/, LPCWSTR /*operation*/, LPCWSTR file,
                                     LPCWSTR /*parameters*/, LPCWSTR /*folder*/, INT /*show*/) {
    opened.push_back(Utf8OfWide(file != nullptr ? file : L""));
    return reinterpret_cast<HINSTANCE>(kOpened);
}

HINSTANCE WINAPI RecordShellExecute(HWND /*window*/, LPCSTR /*operation*/, LPCSTR file,
                                    LPCSTR /*parameters*/, LPCSTR /*folder*/, INT /*show*/) {
    const char* text = file != nullptr ? file : "";
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    opened.push_back(Utf8OfWide(wide.c_str()));
    return reinterpret_cast<HINSTANCE>(kOpened);
}

void* RecorderOf(const char* name) {
    if (std::strcmp(name, "ShellExecuteA") == 0) {
        return reinterpret_cast<void*>(&RecordShellExecute);
    }
    if (std::strcmp(name, "ShellExecuteW") == 0) {
        return reinterpret_cast<void*>(&RecordShellExecuteW);
    }
    return nullptr;
}

}  // namespace

void InterceptShellOpens() {
    intercepting = true;
}

void InterceptShellOpensOf(const std::string& moduleNativePath) {
    if (intercepting) {
        RedirectImports(moduleNativePath, &RecorderOf);
    }
}

std::vector<std::string> TakeShellOpens() {
    std::vector<std::string> taken;
    taken.swap(opened);
    return taken;
}

}  // namespace velmora_host

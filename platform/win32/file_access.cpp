#include "platform/file_access.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {
std::vector<wchar_t> Wide(const std::string& utf8) {
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(count > 0 ? count : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), count);
    return wide;
}
}  // namespace

std::FILE* OpenFileUtf8(const std::string& utf8Path, const char* mode) {
    return _wfopen(Wide(utf8Path).data(), Wide(mode).data());
}

}  // namespace platform

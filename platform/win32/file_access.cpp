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

// The paths are UTF-8 like every path here, so the wide form of the call. The first flag lets it
// replace an existing file, which a plain rename refuses; the second returns only once the move
// has reached the disk.
bool ReplaceFileUtf8(const std::string& fromUtf8Path, const std::string& toUtf8Path) {
    return MoveFileExW(Wide(fromUtf8Path).data(), Wide(toUtf8Path).data(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace platform

#include "platform/file_access.h"

namespace platform {

std::FILE* OpenFileUtf8(const std::string& utf8Path, const char* mode) {
    return std::fopen(utf8Path.c_str(), mode);
}

bool ReplaceFileUtf8(const std::string& fromUtf8Path, const std::string& toUtf8Path) {
    return std::rename(fromUtf8Path.c_str(), toUtf8Path.c_str()) == 0;
}

}  // namespace platform

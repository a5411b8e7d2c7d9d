#include "platform/file_access.h"

namespace platform {

std::FILE* OpenFileUtf8(const std::string& utf8Path, const char* mode) {
    return std::fopen(utf8Path.c_str(), mode);
}

}  // namespace platform

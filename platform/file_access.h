// Opening files by UTF-8 path. Everything after the open is the C library's, alike on both
// systems.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

// Like fopen; null on failure with errno set.
std::FILE* OpenFileUtf8(const std::string& utf8Path, const char* mode);

}  // namespace platform

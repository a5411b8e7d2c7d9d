// Opening files by UTF-8 path. Everything after the open is the C library's, alike on both
// systems.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

// Like fopen; null on failure with errno set.
std::FILE* OpenFileUtf8(const std::string& utf8Path, const char* mode);
// Moves the file at `fromUtf8Path` to `toUtf8Path` in one step, replacing a file already there;
// a reader never sees a half-replaced target. False when it cannot (the target is a folder, say),
// and nothing has changed.
bool ReplaceFileUtf8(const std::string& fromUtf8Path, const std::string& toUtf8Path);

}  // namespace platform

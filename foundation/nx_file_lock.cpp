#include "foundation/nx_file_lock.h"

#include <chrono>

namespace {

constexpr std::chrono::milliseconds kPatience(2000);

}  // namespace

NX_FileLock::NX_FileLock(const NX_Location& file)
    : lock(NativePathOfLocation(file) + ".lock", kPatience) {}

#include "foundation/nx_file_lock.h"

#include <chrono>
#include <string>

namespace {

constexpr std::chrono::milliseconds kPatience(2000);

}  // namespace

NX_FileLock::NX_FileLock(const NX_Location& file) {
    const std::string path = NativePathOfLocation(file);
    if (!path.empty()) {
        lock.emplace(path + ".lock", kPatience);
    }
}

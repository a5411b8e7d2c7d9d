#include "platform/file_lock.h"

#include <thread>
#include <utility>

#include "platform/file_lock_system.h"

namespace platform {

namespace {

// A holder keeps the lock for one read and rewrite of a small file: a few milliseconds.
constexpr auto kRetryPause = std::chrono::milliseconds(5);

}  // namespace

FileLock::FileLock(std::string utf8Path, std::chrono::milliseconds patience)
    : path_(std::move(utf8Path)) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (true) {
        std::intptr_t handle = kNoHandle;
        const lock_file::Opening opening = lock_file::Open(path_, handle);
        if (opening == lock_file::Opening::Refused) {
            return;
        }
        if (opening == lock_file::Opening::Opened) {
            if (lock_file::TryLock(handle) && lock_file::StillNamed(handle, path_)) {
                handle_ = handle;
                return;
            }
            lock_file::Close(handle);
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

FileLock::~FileLock() {
    if (Held()) {
        lock_file::RemoveAndClose(handle_, path_);
    }
}

}  // namespace platform

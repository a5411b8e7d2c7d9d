// A lock that one process at a time holds, for a file that several processes rewrite. It lives in
// a lock file of its own, which the holder makes when it is missing and removes when it lets go,
// so that the folder shows it only while someone writes. The system lets go of the lock of a
// process that ends, killed or not; the empty file such a process leaves is taken over by the next
// holder and removed by it.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace platform {

class FileLock {
public:
    // Takes the lock kept in the file at `utf8Path`, waiting at most `patience` while another
    // process holds it. Anything at that name but an empty file (a link, a folder, a file with
    // content) is no lock file: it is left as it is, and the lock is not taken.
    FileLock(std::string utf8Path, std::chrono::milliseconds patience);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return handle_ != kNoHandle; }

private:
    static constexpr std::intptr_t kNoHandle = -1;
    std::string path_;
    std::intptr_t handle_ = kNoHandle;  // the system's handle of the lock file
};

}  // namespace platform

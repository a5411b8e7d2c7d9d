#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_lock_system.h"

namespace platform::lock_file {

Opening Open(const std::string& utf8Path, std::intptr_t& handle) {
    const int descriptor =
        open(utf8Path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    // With O_CREAT a name that a holder has just removed is simply made again: every failure here
    // is a refusal (a link, a missing folder, no right to write in it).
    if (descriptor < 0) {
        return Opening::Refused;
    }
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size != 0 ||
        status.st_uid != geteuid()) {
        close(descriptor);
        return Opening::Refused;
    }
    handle = descriptor;
    return Opening::Opened;
}

bool TryLock(std::intptr_t handle) {
    return flock(static_cast<int>(handle), LOCK_EX | LOCK_NB) == 0;
}

bool StillNamed(std::intptr_t handle, const std::string& utf8Path) {
    struct stat held {};
    struct stat named {};
    return fstat(static_cast<int>(handle), &held) == 0 && lstat(utf8Path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// While the lock is held nobody else removes or replaces the file, so the name is still its own.
void RemoveAndClose(std::intptr_t handle, const std::string& utf8Path) {
    unlink(utf8Path.c_str());
    close(static_cast<int>(handle));
}

void Close(std::intptr_t handle) {
    close(static_cast<int>(handle));
}

}  // namespace platform::lock_file

#include "platform/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <vector>

namespace platform {

namespace {

// Links followed before a chain counts as a circle, as the system's own limit.
constexpr int kMaximumLinks = 40;

bool IsReadOnlyFile(const std::string& utf8Path) {
    struct stat status {};
    return stat(utf8Path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// The system's own rule for links (protected symlinks): in a folder that everybody may write and
// that is marked sticky, such as /tmp, a link is followed only when it belongs to the user or to
// the folder's owner. Anyone else may have planted it there to turn a write of the user's onto a
// file of the user's.
bool IsPlantedLink(const std::string& linkPath, const struct stat& link) {
    const std::size_t separator = linkPath.find_last_of('/');
    const std::string folder = separator == std::string::npos ? "."
                               : separator == 0               ? "/"
                                                              : linkPath.substr(0, separator);
    struct stat status {};
    if (stat(folder.c_str(), &status) != 0) {
        return true;
    }
    const bool sharedAndSticky = (status.st_mode & S_ISVTX) != 0 && (status.st_mode & S_IWOTH) != 0;
    return sharedAndSticky && link.st_uid != geteuid() && link.st_uid != status.st_uid;
}

}  // namespace

// The read-only mark holds for every user on Windows, administrators too; here root would write
// through it, so an open that writes is refused as Windows refuses it.
std::FILE* OpenFileUtf8(const std::string& utf8Path, const char* mode) {
    const std::string_view modeText(mode);
    const bool writes = modeText.find_first_of("wa+") != std::string_view::npos;
    if (writes && IsReadOnlyFile(utf8Path)) {
        errno = EACCES;
        return nullptr;
    }
    return std::fopen(utf8Path.c_str(), mode);
}

std::FILE* CreateNewFileUtf8(const std::string& utf8Path) {
    const int descriptor =
        open(utf8Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* stream = fdopen(descriptor, "wb");
    if (stream == nullptr) {
        const int error = errno;
        close(descriptor);
        unlink(utf8Path.c_str());
        errno = error;
    }
    return stream;
}

// rename() would replace a file without write permission as readily as any other; the file's
// own read-only mark is kept here as Windows keeps it.
bool ReplaceFileUtf8(const std::string& fromUtf8Path, const std::string& toUtf8Path) {
    if (IsReadOnlyFile(toUtf8Path)) {
        errno = EACCES;
        return false;
    }
    return std::rename(fromUtf8Path.c_str(), toUtf8Path.c_str()) == 0;
}

std::string FileBehindLinksUtf8(const std::string& utf8Path) {
    std::string path = utf8Path;
    for (int followed = 0; followed <= kMaximumLinks; ++followed) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        if (IsPlantedLink(path, status)) {
            return {};
        }
        std::vector<char> target(static_cast<std::size_t>(status.st_size) + 256, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
            return {};
        }
        const std::string next(target.data(), static_cast<std::size_t>(length));
        if (next.front() == '/') {
            path = next;
        } else {
            const std::size_t separator = path.find_last_of('/');
            path.erase(separator == std::string::npos ? 0 : separator + 1);
            path += next;
        }
    }
    return {};
}

// The system's clock, not time(): that is the modules' clock, which a session may set to another
// day.
bool IsPlainFileUnchangedFor(const std::string& utf8Path, std::chrono::seconds age) {
    struct stat status {};
    if (lstat(utf8Path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    const auto changed = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(status.st_mtim.tv_sec) +
            std::chrono::nanoseconds(status.st_mtim.tv_nsec)));
    return std::chrono::system_clock::now() - changed >= age;
}

}  // namespace platform

#include "platform/file_access.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "platform/win32/wide_text.h"

namespace platform {

using win32::Utf8OfWide;
using win32::WideOfUtf8;

namespace {

int ErrnoOfLastError() {
    switch (GetLastError()) {
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        default:
            return EIO;
    }
}

}  // namespace

std::FILE* OpenFileUtf8(const std::string& utf8Path, const char* mode) {
    return _wfopen(WideOfUtf8(utf8Path).data(), WideOfUtf8(mode).data());
}

// CREATE_NEW fails on any name that exists, links included, and so never follows one.
std::FILE* CreateNewFileUtf8(const std::string& utf8Path) {
    const std::vector<wchar_t> path = WideOfUtf8(utf8Path);
    HANDLE handle = CreateFileW(path.data(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = ErrnoOfLastError();
        return nullptr;
    }
    const int descriptor =
        _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    std::FILE* stream = descriptor >= 0 ? _fdopen(descriptor, "wb") : nullptr;
    if (stream == nullptr) {
        if (descriptor >= 0) {
            _close(descriptor);
        } else {
            CloseHandle(handle);
        }
        DeleteFileW(path.data());
        errno = EIO;
    }
    return stream;
}

// The paths are UTF-8 like every path here, so the wide form of the call. The first flag lets it
// replace an existing file, which a plain rename refuses; the second returns only once the move
// has reached the disk. A read-only target is refused here before the system is asked, as the
// system itself refuses it (under Wine a privileged user's move would replace it).
bool ReplaceFileUtf8(const std::string& fromUtf8Path, const std::string& toUtf8Path) {
    const std::vector<wchar_t> target = WideOfUtf8(toUtf8Path);
    const DWORD attributes = GetFileAttributesW(target.data());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        errno = EACCES;
        return false;
    }
    if (MoveFileExW(WideOfUtf8(fromUtf8Path).data(), target.data(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return true;
    }
    errno = ErrnoOfLastError();
    return false;
}

// The system names the file a handle has reached; for a link that is the file it leads to (a
// symbolic link, or under Wine a link of the host system, which shows as a plain file).
std::string FileBehindLinksUtf8(const std::string& utf8Path) {
    const std::vector<wchar_t> path = WideOfUtf8(utf8Path);
    const DWORD attributes = GetFileAttributesW(path.data());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return utf8Path;
    }
    HANDLE handle =
        CreateFileW(path.data(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::vector<wchar_t> final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length >= final.size()) {
        final.assign(length + 1, L'\0');
        length = GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    CloseHandle(handle);
    if (length == 0 || length >= final.size()) {
        return {};
    }
    // The answer starts with "\\?\" (or "\\?\UNC\" for a share), which the other calls do not need.
    std::string resolved = Utf8OfWide(final.data());
    if (resolved.rfind("\\\\?\\UNC\\", 0) == 0) {
        resolved.replace(0, 8, "\\\\");
    } else if (resolved.rfind("\\\\?\\", 0) == 0) {
        resolved.erase(0, 4);
    }
    return resolved;
}

// The system's clock, not time(): that is the modules' clock, which a session may set to another
// day. Both times are counts of 100 ns.
bool IsPlainFileUnchangedFor(const std::string& utf8Path, std::chrono::seconds age) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(WideOfUtf8(utf8Path).data(), GetFileExInfoStandard, &data) == 0 ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
        return false;
    }
    // Under Wine a link of the host system shows as a plain file; the file the name reaches tells.
    if (FileBehindLinksUtf8(utf8Path) != utf8Path) {
        return false;
    }
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return ticks(now) - ticks(data.ftLastWriteTime) >= age.count() * 10'000'000;
}

}  // namespace platform

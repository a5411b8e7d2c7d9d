#include <windows.h>

#include <vector>

#include "platform/file_lock_system.h"
#include "platform/win32/wide_text.h"

namespace platform::lock_file {

using win32::WideOfUtf8;

namespace {

HANDLE HandleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Every opener shares deletion, so that a holder can remove the file while others look at it.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

Opening Open(const std::string& utf8Path, std::intptr_t& handle) {
    HANDLE file =
        CreateFileW(WideOfUtf8(utf8Path).data(), GENERIC_READ | DELETE, kShareAll, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // A file that its holder has marked for removal refuses every open until the last handle
        // to it is closed: the name is passing to the next holder.
        return GetLastError() == ERROR_ACCESS_DENIED ? Opening::Passing : Opening::Refused;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileInformationByHandle(file, &information) == 0 ||
        (information.dwFileAttributes &
         (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0 ||
        information.nFileSizeHigh != 0 || information.nFileSizeLow != 0) {
        CloseHandle(file);
        return Opening::Refused;
    }
    handle = reinterpret_cast<std::intptr_t>(file);
    return Opening::Opened;
}

bool TryLock(std::intptr_t handle) {
    OVERLAPPED start{};
    return LockFileEx(HandleOf(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                      0, &start) != 0;
}

bool StillNamed(std::intptr_t handle, const std::string& utf8Path) {
    HANDLE named = CreateFileW(WideOfUtf8(utf8Path).data(), FILE_READ_ATTRIBUTES, kShareAll,
                               nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (named == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION held{};
    BY_HANDLE_FILE_INFORMATION found{};
    const bool same = GetFileInformationByHandle(HandleOf(handle), &held) != 0 &&
                      GetFileInformationByHandle(named, &found) != 0 &&
                      held.dwVolumeSerialNumber == found.dwVolumeSerialNumber &&
                      held.nFileIndexHigh == found.nFileIndexHigh &&
                      held.nFileIndexLow == found.nFileIndexLow;
    CloseHandle(named);
    return same;
}

// The removal is asked of the handle, so that it is the held file that goes, whatever the name
// leads to; it happens when the last handle to the file is closed.
void RemoveAndClose(std::intptr_t handle, const std::string& /*utf8Path*/) {
    FILE_DISPOSITION_INFO removal{};
    removal.DeleteFile = TRUE;
    SetFileInformationByHandle(HandleOf(handle), FileDispositionInfo, &removal, sizeof removal);
    CloseHandle(HandleOf(handle));
}

void Close(std::intptr_t handle) {
    CloseHandle(HandleOf(handle));
}

}  // namespace platform::lock_file

#include "platform/url_download.h"

#include <urlmon.h>
#include <windows.h>
#include <wininet.h>

#include <string>
#include <string_view>

#include "platform/win32/bind_status.h"

namespace platform {

namespace {

constexpr DWORD kWatchIntervalMs = 100;
constexpr ULONGLONG kSilenceLimitMs = kSilenceLimitSeconds * 1000ULL;
constexpr ULONGLONG kDeadlineMs = kDeadlineSeconds * 1000ULL;

std::wstring WideOfUtf8(const char* utf8) {
    const int count = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
    if (count <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, wide.data(), count);
    wide.resize(static_cast<std::size_t>(count - 1));
    return wide;
}

// CREATE_NEW refuses any name already taken, a link included, so what the service then writes
// into is a file this call made.
bool CreateNewFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

std::uint64_t FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// The service waits as long as a server keeps the connection open without sending (it does not
// always honour its own receive time-out), and only asks whether to stop when something arrives.
// This thread watches the transfer from beside it and ends it through the binding: at once when
// the download is to stop, after kSilenceLimitSeconds without a word from the service, or
// kDeadlineSeconds after it began.
class Watch {
public:
    Watch(BindStatus& status, DownloadObserver& observer)
        : status_(status), observer_(observer), over_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        if (over_ != nullptr) {
            thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        }
    }
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;
    ~Watch() {
        if (thread_ != nullptr) {
            SetEvent(over_);
            WaitForSingleObject(thread_, INFINITE);
            CloseHandle(thread_);
        }
        if (over_ != nullptr) {
            CloseHandle(over_);
        }
    }

    // Without its thread nothing ends a silent transfer: the download must not start.
    bool Running() const { return thread_ != nullptr; }

private:
    static DWORD WINAPI Run(LPVOID self) {
        static_cast<Watch*>(self)->Loop();
        return 0;
    }
    void Loop() {
        bool aborted = false;
        while (WaitForSingleObject(over_, kWatchIntervalMs) == WAIT_TIMEOUT) {
            if (aborted) {
                continue;
            }
            if (status_.Decided() != BindStatus::Ending::kNone) {
                aborted = status_.Abort(status_.Decided());
            } else if (observer_.StopRequested()) {
                aborted = status_.Abort(BindStatus::Ending::kCancelled);
            } else if (GetTickCount64() - status_.LastHeardOf() >= kSilenceLimitMs ||
                       GetTickCount64() - started_ >= kDeadlineMs) {
                aborted = status_.Abort(BindStatus::Ending::kFailed);
            }
        }
    }

    BindStatus& status_;
    DownloadObserver& observer_;
    HANDLE over_;
    HANDLE thread_ = nullptr;
    const ULONGLONG started_ = GetTickCount64();
};

// An aborted request is wound up later on the service's own worker threads, which then call back
// into the URL service. The hub is what loaded that service: unloading the hub would unload it too
// and leave those late callbacks running freed code in the host. Once a download has been started,
// the service stays loaded for the life of the process, as it does in any program that browses.
void KeepUrlServiceLoaded() {
    for (const wchar_t* name : {L"urlmon.dll", L"wininet.dll"}) {
        HMODULE pinned = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, name, &pinned);
    }
}

DownloadOutcome Fetch(const char* url, const std::wstring& path, std::int64_t maxBytes,
                      DownloadObserver& observer) {
    KeepUrlServiceLoaded();
    const std::wstring wideUrl = WideOfUtf8(url);
    DeleteUrlCacheEntryW(wideUrl.c_str());
    BindStatus status(observer, maxBytes, std::wstring_view(wideUrl).starts_with(L"https://"));
    HRESULT result = E_FAIL;
    {
        Watch watch(status, observer);
        if (!watch.Running()) {
            return DownloadOutcome::kFailed;
        }
        result = URLDownloadToFileW(nullptr, wideUrl.c_str(), path.c_str(), 0, &status);
    }
    // An early end counts whatever the service answered: it may finish a transfer that was
    // asked to stop.
    switch (status.Ended()) {
        case BindStatus::Ending::kCancelled:
            return DownloadOutcome::kCancelled;
        case BindStatus::Ending::kFailed:
            return DownloadOutcome::kFailed;
        case BindStatus::Ending::kNone:
            break;
    }
    if (result != S_OK && result != MK_S_ASYNCHRONOUS) {
        return DownloadOutcome::kFailed;
    }
    const std::uint64_t size = FileSize(path);
    const bool whole =
        status.AnnouncedTotal() == 0 || size == static_cast<std::uint64_t>(status.AnnouncedTotal());
    if (!status.StatusIsOk() || !whole || size > static_cast<std::uint64_t>(maxBytes)) {
        return DownloadOutcome::kFailed;
    }
    return DownloadOutcome::kCompleted;
}

}  // namespace

DownloadOutcome DownloadUrlToFile(const char* url, const char* utf8Path, std::int64_t maxBytes,
                                  DownloadObserver& observer) {
    const std::wstring path = WideOfUtf8(utf8Path);
    if (path.empty()) {
        return DownloadOutcome::kFailed;
    }
    if (!CreateNewFile(path)) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
                   ? DownloadOutcome::kNameTaken
                   : DownloadOutcome::kFailed;
    }
    const DownloadOutcome outcome = Fetch(url, path, maxBytes, observer);
    if (outcome != DownloadOutcome::kCompleted) {
        DeleteFileW(path.c_str());
    }
    return outcome;
}

}  // namespace platform

// Fetches a file from the update server on a thread of its own and reports the way there to a
// callback, always on that thread.
#pragma once

#include <cstdint>

#include "foundation/nx_location.h"
#include "foundation/nx_string.h"

enum DownloadState : std::int32_t {
    kDownloadBegins = 0,
    kDownloadFailed = 1,
    kDownloadProgress = 2,
    kDownloadDone = 3,
    kDownloadCancelled = 4
};

// Whether the state ends the download: each download reports exactly one of these, last.
constexpr bool IsFinalDownloadState(std::int32_t state) {
    return state == kDownloadFailed || state == kDownloadDone || state == kDownloadCancelled;
}

// Answering 1 cancels the download; the answer to the final state is ignored.
using DownloadCallback = std::int32_t (*)(std::int32_t state, double fraction, void* userData);

// Copies url to localPath on a thread of its own; false when the thread cannot start (the
// callback is then never called). A body over maxBytes, or shorter than its announced length,
// or an HTTP status other than 200 is a failed download.
[[nodiscard]] bool DownloadFileAsync(const NX_String& url, const NX_Location& localPath,
                                     DownloadCallback callback, void* userData,
                                     std::int64_t maxBytes);

// At unload: asks every running download to stop and waits until their threads have left
// the module's code (the module is unmapped right after). Safe to call when none runs.
void StopAllDownloads();

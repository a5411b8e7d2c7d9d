// Copies one URL into one local file, blocking until the transfer has ended. The caches of the
// system and of proxies are bypassed, so a file changed on the server is fetched again.
#pragma once

#include <cstdint>

namespace platform {

enum class DownloadProgress { kBegins, kArriving, kEndOfData };
enum class DownloadOutcome { kCompleted, kFailed, kCancelled };

class DownloadObserver {
public:
    virtual ~DownloadObserver() = default;
    // Answers true to cancel the transfer. total is 0 when the server has not announced a length.
    virtual bool Report(DownloadProgress progress, std::int64_t received, std::int64_t total) = 0;
    // Polled while the transfer waits for data; true cancels it.
    virtual bool StopRequested() = 0;
};

// A body over maxBytes, shorter than its announced length, or any HTTP status but 200 fails.
// What is left at utf8Path after a failure is undefined: the caller downloads to a name of its
// own.
DownloadOutcome DownloadUrlToFile(const char* url, const char* utf8Path, std::int64_t maxBytes,
                                  DownloadObserver& observer);

}  // namespace platform

// Copies one URL into one local file, blocking until the transfer has ended. The caches of the
// system and of proxies are bypassed, so a file changed on the server is fetched again.
#pragma once

#include <cstdint>

namespace platform {

enum class DownloadProgress { kBegins, kArriving, kEndOfData };
// kNameTaken: something already had the file's name; nothing was asked of the server.
enum class DownloadOutcome { kCompleted, kFailed, kCancelled, kNameTaken };

class DownloadObserver {
public:
    virtual ~DownloadObserver() = default;
    // Answers true to cancel the transfer. total is 0 when the server has not announced a length.
    virtual bool Report(DownloadProgress progress, std::int64_t received, std::int64_t total) = 0;
    // Polled while the transfer waits for data; true cancels it.
    virtual bool StopRequested() = 0;
};

// A transfer that receives nothing for this long fails, as does a connection not made in it:
// the URL service's own receive time-out.
constexpr int kSilenceLimitSeconds = 30;

// utf8Path is made new, by an exclusive create that follows no link: when anything already has
// that name (a file, a link, a pipe, a folder) the answer is kNameTaken and that entry is left
// alone. The new file is removed again on every outcome but kCompleted.
// A body over maxBytes, shorter than its announced length, any HTTP status but 200, or a
// transfer that stays silent for kSilenceLimitSeconds fails.
DownloadOutcome DownloadUrlToFile(const char* url, const char* utf8Path, std::int64_t maxBytes,
                                  DownloadObserver& observer);

}  // namespace platform

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
// Every transfer fails this long after it began, however it goes: a server that sends a byte now
// and then, never silent for long, would otherwise hold it as long as it likes. The largest file
// the update check accepts is the 8 MiB banner cap; the real ones are a catalogue of tens of
// kilobytes and a banner of a few hundred, which take under a minute even at a 64 kbit/s line.
// Three minutes leaves room for slower links and stays short beside a working session.
constexpr int kDeadlineSeconds = 180;

// utf8Path is made new, by an exclusive create that follows no link: when anything already has
// that name (a file, a link, a pipe, a folder) the answer is kNameTaken and that entry is left
// alone. The new file is removed again on every outcome but kCompleted.
// A body over maxBytes, shorter than its announced length, any HTTP status but 200, a transfer
// that stays silent for kSilenceLimitSeconds or lasts kDeadlineSeconds fails. An https address
// is fetched only over TLS 1.2 or later from a server whose certificate the system's trusted
// roots vouch for, for that host name, and never follows a redirection to plain http; whatever
// the certificate's fault, the download fails, and no window of the system's asks the user.
DownloadOutcome DownloadUrlToFile(const char* url, const char* utf8Path, std::int64_t maxBytes,
                                  DownloadObserver& observer);

}  // namespace platform

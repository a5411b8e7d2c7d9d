#include "platform/url_download.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

namespace platform {

namespace {

constexpr long kMaxRedirections = 5;

void InitialiseCurlOnce() {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)initialised;
}

struct Transfer {
    CURL* curl = nullptr;
    std::FILE* file = nullptr;
    DownloadObserver* observer = nullptr;
    std::int64_t maxBytes = 0;
    std::int64_t received = 0;
    bool begun = false;
    bool cancelled = false;
    bool writeFailed = false;
    // When the body last grew: a transfer silent for kSilenceLimitSeconds fails.
    curl_off_t lastReceived = -1;
    std::chrono::steady_clock::time_point lastHeardOf = std::chrono::steady_clock::now();
};

std::int64_t AnnouncedLength(CURL* curl) {
    curl_off_t length = -1;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    return length > 0 ? static_cast<std::int64_t>(length) : 0;
}

// Only the body of a 200 answer reaches the file; anything else is not the file asked for.
bool IsWholeAnswer(CURL* curl) {
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    return status == 200;
}

size_t WriteBody(char* data, size_t size, size_t count, void* context) {
    auto& transfer = *static_cast<Transfer*>(context);
    const size_t bytes = size * count;
    if (!IsWholeAnswer(transfer.curl)) {
        transfer.writeFailed = true;
        return 0;
    }
    transfer.received += static_cast<std::int64_t>(bytes);
    if (transfer.received > transfer.maxBytes ||
        std::fwrite(data, 1, bytes, transfer.file) != bytes) {
        transfer.writeFailed = true;
        return 0;
    }
    const std::int64_t total = AnnouncedLength(transfer.curl);
    if (!transfer.begun) {
        transfer.begun = true;
        if (transfer.observer->Report(DownloadProgress::kBegins, 0, total)) {
            transfer.cancelled = true;
            return 0;
        }
    }
    if (transfer.observer->Report(DownloadProgress::kArriving, transfer.received, total)) {
        transfer.cancelled = true;
        return 0;
    }
    return bytes;
}

// libcurl calls this at least once a second, also while nothing arrives.
int PollStop(void* context, curl_off_t, curl_off_t received, curl_off_t, curl_off_t) {
    auto& transfer = *static_cast<Transfer*>(context);
    if (transfer.observer->StopRequested()) {
        transfer.cancelled = true;
        return 1;
    }
    const auto now = std::chrono::steady_clock::now();
    if (received != transfer.lastReceived) {
        transfer.lastReceived = received;
        transfer.lastHeardOf = now;
        return 0;
    }
    return now - transfer.lastHeardOf >= std::chrono::seconds(kSilenceLimitSeconds) ? 1 : 0;
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The file is opened only if this call made it: O_EXCL refuses any name already taken (so a pipe
// there is never opened, and never blocks), and with O_NOFOLLOW a link planted there is not
// followed either.
std::FILE* CreateNewFile(const char* utf8Path) {
    const int descriptor =
        open(utf8Path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = fdopen(descriptor, "wb");
    if (file == nullptr) {
        close(descriptor);
        unlink(utf8Path);
    }
    return file;
}

DownloadOutcome Fetch(const char* url, std::FILE* file, std::int64_t maxBytes,
                      DownloadObserver& observer) {
    const std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (curl == nullptr) {
        return DownloadOutcome::kFailed;
    }
    curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    const std::unique_ptr<curl_slist, HeaderListDeleter> headerList(headers);

    Transfer transfer;
    transfer.curl = curl.get();
    transfer.file = file;
    transfer.observer = &observer;
    transfer.maxBytes = maxBytes;

    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url);
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    // libcurl follows any number of redirections: a server that sends the client in a circle
    // would hold the download thread for ever. A moved file is a hop or two away, over HTTP.
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirections);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    // A secure address stays secure: no redirection may lead it to plain http.
    const bool secure = std::strncmp(url, "https://", 8) == 0;
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
    // The certificate is checked against the system's trusted roots and the host's name (libcurl's
    // defaults, set here so that they stay so), over TLS 1.2 or later.
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(handle, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    // As the URL service on Windows: a connection not made, or a server that then sends nothing
    // (or stops halfway), fails the transfer after the receive time-out instead of holding it
    // (the connection here, the silence in PollStop).
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, static_cast<long>(kSilenceLimitSeconds));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, static_cast<long>(kDeadlineSeconds));
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(maxBytes));
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, PollStop);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);

    const CURLcode result = curl_easy_perform(handle);
    if (transfer.cancelled) {
        return DownloadOutcome::kCancelled;
    }
    if (result != CURLE_OK || transfer.writeFailed || !IsWholeAnswer(handle) ||
        std::fflush(file) != 0) {
        return DownloadOutcome::kFailed;
    }
    const std::int64_t total = AnnouncedLength(handle);
    if (!transfer.begun && observer.Report(DownloadProgress::kBegins, 0, total)) {
        return DownloadOutcome::kCancelled;
    }
    if (observer.Report(DownloadProgress::kEndOfData, transfer.received, total)) {
        return DownloadOutcome::kCancelled;
    }
    return DownloadOutcome::kCompleted;
}

}  // namespace

DownloadOutcome DownloadUrlToFile(const char* url, const char* utf8Path, std::int64_t maxBytes,
                                  DownloadObserver& observer) {
    InitialiseCurlOnce();
    std::unique_ptr<std::FILE, FileCloser> file(CreateNewFile(utf8Path));
    if (file == nullptr) {
        return errno == EEXIST ? DownloadOutcome::kNameTaken : DownloadOutcome::kFailed;
    }
    DownloadOutcome outcome = Fetch(url, file.get(), maxBytes, observer);
    if (std::fclose(file.release()) != 0 && outcome == DownloadOutcome::kCompleted) {
        outcome = DownloadOutcome::kFailed;
    }
    if (outcome != DownloadOutcome::kCompleted) {
        unlink(utf8Path);
    }
    return outcome;
}

}  // namespace platform

#include "update/download_engine.h"

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>

#include "foundation/nx_files.h"
#include "foundation/nx_location.h"
#include "platform/thread_start.h"
#include "platform/url_download.h"
#include "platform/utf8_path.h"

namespace {

// The running downloads, so that unloading can stop them and wait for them.
struct Downloads {
    std::mutex mutex;
    std::condition_variable finished;
    int running = 0;
    bool stopping = false;
};

Downloads& RunningDownloads() {
    static Downloads downloads;
    return downloads;
}

bool StopRequested() {
    Downloads& downloads = RunningDownloads();
    const std::lock_guard lock(downloads.mutex);
    return downloads.stopping;
}

struct Job {
    NX_String url;
    NX_String localPath;
    DownloadCallback callback;
    void* userData;
    std::int64_t maxBytes;
};

class CallbackObserver : public platform::DownloadObserver {
public:
    explicit CallbackObserver(const Job& job) : job_(job) {}

    bool Report(platform::DownloadProgress progress, std::int64_t received,
                std::int64_t total) override {
        if (progress == platform::DownloadProgress::kBegins) {
            return Call(kDownloadBegins, 0.0);
        }
        if (progress == platform::DownloadProgress::kEndOfData) {
            return Call(kDownloadProgress, 1.0);
        }
        const double fraction =
            total != 0 ? static_cast<double>(received) / static_cast<double>(total) : 0.5;
        return Call(kDownloadProgress, fraction);
    }

    bool StopRequested() override { return ::StopRequested(); }

private:
    bool Call(DownloadState state, double fraction) {
        return job_.callback(state, fraction, job_.userData) == 1 || ::StopRequested();
    }

    const Job& job_;
};

// The data goes to a name beside the target and replaces it only when whole, so a failed or
// cancelled download never leaves a file that the next step would read as complete; the
// partial file is removed.
DownloadState Download(const Job& job) {
    const NX_String partial = job.localPath + ".download";
    CallbackObserver observer(job);
    const platform::DownloadOutcome outcome = platform::DownloadUrlToFile(
        job.url.GetText(), NativePathOfLocation(partial).c_str(), job.maxBytes, observer);
    if (outcome == platform::DownloadOutcome::kCompleted &&
        MoveFileOver(partial.GetText(), job.localPath.GetText()) == 0) {
        return kDownloadDone;
    }
    std::error_code error;
    std::filesystem::remove(platform::PathOfUtf8(NativePathOfLocation(partial)), error);
    return outcome == platform::DownloadOutcome::kCancelled ? kDownloadCancelled : kDownloadFailed;
}

void LeaveRunning() {
    Downloads& downloads = RunningDownloads();
    const std::lock_guard lock(downloads.mutex);
    --downloads.running;
    downloads.finished.notify_all();
}

void RunDownload(void* argument) {
    {
        const std::unique_ptr<Job> job(static_cast<Job*>(argument));
        const DownloadState state = Download(*job);
        job->callback(state, 0.0, job->userData);
    }
    LeaveRunning();
}

}  // namespace

bool DownloadFileAsync(const NX_String& url, const NX_String& localPath, DownloadCallback callback,
                       void* userData, std::int64_t maxBytes) {
    auto job = std::make_unique<Job>(Job{url, localPath, callback, userData, maxBytes});
    {
        Downloads& downloads = RunningDownloads();
        const std::lock_guard lock(downloads.mutex);
        ++downloads.running;
    }
    if (!platform::StartDetachedThread(RunDownload, job.get())) {
        LeaveRunning();
        return false;
    }
    static_cast<void>(job.release());  // the thread owns it now
    return true;
}

void StopAllDownloads() {
    Downloads& downloads = RunningDownloads();
    std::unique_lock lock(downloads.mutex);
    downloads.stopping = true;
    downloads.finished.wait(lock, [&] { return downloads.running == 0; });
    downloads.stopping = false;
}

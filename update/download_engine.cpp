#include "update/download_engine.h"

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <system_error>

#include "foundation/nx_files.h"
#include "foundation/nx_location.h"
#include "platform/thread_start.h"
#include "platform/url_download.h"
#include "platform/utf8_path.h"
#include "update/download_file_names.h"

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
    NX_Location localPath;
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

// A name beside the target for the data in transit: the target's name, a random part and
// kPartialFileEnding. The platform makes it by an exclusive create, so a name that anything already
// has (a user's file, a link, a pipe) is never opened; another random part is tried then.
constexpr int kPartialNameTries = 8;

NX_Location PartialPlace(const NX_Location& target) {
    static std::mutex mutex;
    static std::random_device source;
    const std::lock_guard lock(mutex);
    const NX_String name =
        GetFileName(target.GetPath()) +
        NX_String::Format(".%08x%s", static_cast<unsigned>(source()), kPartialFileEnding);
    return target.Folder().Join(name.GetText());
}

// The data replaces the target only when whole, so a failed or cancelled download never leaves
// a file that the next step would read as complete; the file in transit never outlives it.
DownloadState Download(const Job& job) {
    CallbackObserver observer(job);
    for (int attempt = 0; attempt < kPartialNameTries; ++attempt) {
        const NX_Location partial = PartialPlace(job.localPath);
        const std::string partialPath = NativePathOfLocation(partial);
        const platform::DownloadOutcome outcome = platform::DownloadUrlToFile(
            job.url.GetText(), partialPath.c_str(), job.maxBytes, observer);
        switch (outcome) {
            case platform::DownloadOutcome::kNameTaken:
                continue;
            case platform::DownloadOutcome::kCancelled:
                return kDownloadCancelled;
            case platform::DownloadOutcome::kFailed:
                return kDownloadFailed;
            case platform::DownloadOutcome::kCompleted:
                break;
        }
        if (MoveFileOver(partial, job.localPath) == 0) {
            return kDownloadDone;
        }
        std::error_code error;
        std::filesystem::remove(platform::PathOfUtf8(partialPath), error);
        return kDownloadFailed;
    }
    return kDownloadFailed;
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

bool DownloadFileAsync(const NX_String& url, const NX_Location& localPath,
                       DownloadCallback callback, void* userData, std::int64_t maxBytes) {
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

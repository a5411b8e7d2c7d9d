// Downloads from velmora-update-server, which runs around this program and is reached through
// http_proxy, on both systems: the states and fractions a callback sees, the bytes that reach the
// target, what a failed, cancelled, stopped or silent download leaves behind, and how long a
// silent server holds a download.
#include "update/download_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/url_download.h"
#include "tests/support/scratch_folder.h"

#ifndef _WIN32
#include <dlfcn.h>
#include <pthread.h>
#endif

namespace {

using namespace std::chrono_literals;

constexpr std::int64_t kNoLimit = 1 << 24;
// Any host: every request goes to the proxy, which serves its root whatever the host.
constexpr const char* kServer = "http://downloads.velmora.test";
// Longer than a silent server may hold a download, with room for a slow machine.
constexpr auto kLongestDownload = std::chrono::seconds(platform::kSilenceLimitSeconds + 30);

std::string Pattern(std::size_t size, char seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(seed + i * 7 % 251);
    }
    return bytes;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// What the server answers for `name`: a file of its root, answered as the server's command line
// says for that name.
void Serve(const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(VELMORA_DOWNLOAD_SERVER_ROOT);
    WriteFile(std::filesystem::path(VELMORA_DOWNLOAD_SERVER_ROOT) / name, bytes);
}

struct Report {
    std::int32_t state;
    double fraction;
};

// What one download told its callback, and on which threads.
class Recorder {
public:
    static std::int32_t Callback(std::int32_t state, double fraction, void* userData) {
        return static_cast<Recorder*>(userData)->Record(state, fraction);
    }

    bool WaitForEnd() {
        std::unique_lock lock(mutex_);
        return ended_.wait_for(lock, kLongestDownload, [&] { return finalState_ >= 0; });
    }
    std::vector<Report> Reports() {
        const std::lock_guard lock(mutex_);
        return reports_;
    }
    std::int32_t FinalState() {
        const std::lock_guard lock(mutex_);
        return finalState_;
    }
    std::thread::id FinalThread() {
        const std::lock_guard lock(mutex_);
        return finalThread_;
    }
    int CallsAfterEnd() {
        const std::lock_guard lock(mutex_);
        return callsAfterEnd_;
    }

    bool cancelAtFirstReport = false;

private:
    std::int32_t Record(std::int32_t state, double fraction) {
        const std::lock_guard lock(mutex_);
        if (finalState_ >= 0) {
            ++callsAfterEnd_;
        }
        reports_.push_back({state, fraction});
        if (IsFinalDownloadState(state)) {
            finalState_ = state;
            finalThread_ = std::this_thread::get_id();
            ended_.notify_all();
        }
        return cancelAtFirstReport ? 1 : 0;
    }

    std::mutex mutex_;
    std::condition_variable ended_;
    std::vector<Report> reports_;
    std::int32_t finalState_ = -1;
    std::thread::id finalThread_;
    int callsAfterEnd_ = 0;
};

#ifndef _WIN32
// The process's thread creation, made to refuse one thread on request, as a system that has run
// out of threads does; every other thread is made as the system makes it.
std::atomic<bool> refuseNextThread{false};
}  // namespace

extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attributes,
                              void* (*entry)(void*), void* argument) {
    using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
    static const auto systemCreate = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
    if (refuseNextThread.exchange(false)) {
        return EAGAIN;
    }
    return systemCreate(thread, attributes, entry, argument);
}

namespace {
#endif

class DownloadTest : public ::testing::Test {
protected:
    // As the module does before it goes: the threads must have left the engine.
    void TearDown() override { StopAllDownloads(); }

    bool Start(const std::string& name, Recorder& recorder, std::int64_t maxBytes = kNoLimit,
               const std::string& target = "versions.txt") {
        const std::string url = std::string(kServer) + "/" + name;
        const std::string path = scratch_.Utf8() + "/" + target;
        return DownloadFileAsync(url.c_str(), NX_Location(path.c_str()), Recorder::Callback,
                                 &recorder, maxBytes);
    }
    std::int32_t Fetch(const std::string& name, Recorder& recorder,
                       std::int64_t maxBytes = kNoLimit) {
        EXPECT_TRUE(Start(name, recorder, maxBytes));
        EXPECT_TRUE(recorder.WaitForEnd());
        return recorder.FinalState();
    }
    std::filesystem::path TargetPath() const { return scratch_.Path() / "versions.txt"; }
    // Nothing but the targets (or nothing at all) may be left in the folder: no file in transit.
    std::vector<std::string> FolderFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch_.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    ScratchFolder scratch_;
};

#ifndef _WIN32
// The system refuses a thread when the process has too many: the download is not started, and
// the module's unload, which waits for the running downloads, does not wait for it.
TEST_F(DownloadTest, ADownloadWhoseThreadIsRefusedLeavesNothingToWaitFor) {
    Recorder recorder;
    refuseNextThread = true;
    EXPECT_FALSE(Start("never.bin", recorder));
    refuseNextThread = false;
    auto stopped = std::async(std::launch::async, [] { StopAllDownloads(); });
    if (stopped.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "the unload waits for a download that never started";
        std::quick_exit(1);  // the waiting thread cannot be ended
    }
    EXPECT_EQ(recorder.Reports().size(), 0U);
}
#endif

TEST_F(DownloadTest, WholeFileArrivesWithRisingFractionsEndingInOne) {
    const std::string body = Pattern(300000, 'a');
    Serve("whole.bin", body);
    Recorder recorder;
    ASSERT_EQ(Fetch("whole.bin", recorder), kDownloadDone);

    EXPECT_EQ(ReadFile(TargetPath()), body);
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{"versions.txt"});
    const std::vector<Report> reports = recorder.Reports();
    // Begins, as many reports of arriving data as the transfer makes (the URL service may make
    // none for a body that comes at once), the end of the data, the end.
    ASSERT_GE(reports.size(), 3U);
    EXPECT_EQ(reports.front().state, kDownloadBegins);
    EXPECT_EQ(reports.front().fraction, 0.0);
    double last = 0.0;
    for (std::size_t i = 1; i + 1 < reports.size(); ++i) {
        EXPECT_EQ(reports[i].state, kDownloadProgress);
        EXPECT_GE(reports[i].fraction, last);
        EXPECT_LE(reports[i].fraction, 1.0);
        last = reports[i].fraction;
    }
    EXPECT_EQ(reports[reports.size() - 2].fraction, 1.0);
    EXPECT_EQ(reports.back().state, kDownloadDone);
    EXPECT_EQ(reports.back().fraction, 0.0);
}

TEST_F(DownloadTest, BodyWithoutLengthReportsOneHalfUntilTheEnd) {
    const std::string body = Pattern(50000, 'q');
    Serve("chunked.bin", body);
    Recorder recorder;
    ASSERT_EQ(Fetch("chunked.bin", recorder), kDownloadDone);

    EXPECT_EQ(ReadFile(TargetPath()), body);
    const std::vector<Report> reports = recorder.Reports();
    ASSERT_GE(reports.size(), 3U);
    EXPECT_EQ(reports.front().state, kDownloadBegins);
    for (std::size_t i = 1; i + 2 < reports.size(); ++i) {
        EXPECT_EQ(reports[i].state, kDownloadProgress);
        EXPECT_EQ(reports[i].fraction, 0.5);
    }
    EXPECT_EQ(reports[reports.size() - 2].state, kDownloadProgress);
    EXPECT_EQ(reports[reports.size() - 2].fraction, 1.0);
}

// Failures leave the file that was there before untouched and nothing beside it.
TEST_F(DownloadTest, FailuresLeaveTheOlderFileAlone) {
    const std::string body = Pattern(20000, 'k');
    for (const char* name : {"missing.bin", "broken.bin", "short.bin", "large.bin"}) {
        Serve(name, body);
    }
    struct Case {
        const char* name;
        std::int64_t maxBytes;
    };
    for (const Case& failing : {Case{"missing.bin", kNoLimit}, Case{"broken.bin", kNoLimit},
                                Case{"short.bin", kNoLimit}, Case{"large.bin", 19999}}) {
        SCOPED_TRACE(failing.name);
        WriteFile(TargetPath(), "older");
        Recorder recorder;
        EXPECT_EQ(Fetch(failing.name, recorder, failing.maxBytes), kDownloadFailed);
        EXPECT_EQ(recorder.Reports().back().fraction, 0.0);
        EXPECT_EQ(ReadFile(TargetPath()), "older");
        EXPECT_EQ(FolderFiles(), std::vector<std::string>{"versions.txt"});
    }
}

TEST_F(DownloadTest, ServerErrorLeavesNoFileAtTheTarget) {
    Serve("missing.bin", "not to be seen");
    Recorder recorder;
    EXPECT_EQ(Fetch("missing.bin", recorder), kDownloadFailed);
    EXPECT_TRUE(FolderFiles().empty());
}

TEST_F(DownloadTest, BodyOfExactlyTheLimitArrives) {
    const std::string body = Pattern(20000, 'z');
    Serve("limit.bin", body);
    Recorder recorder;
    EXPECT_EQ(Fetch("limit.bin", recorder, 20000), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), body);
}

TEST_F(DownloadTest, AnswerOneAtTheFirstReportCancels) {
    Serve("cancel.bin", Pattern(300000, 'c'));
    Recorder recorder;
    recorder.cancelAtFirstReport = true;
    EXPECT_EQ(Fetch("cancel.bin", recorder), kDownloadCancelled);
    const std::vector<Report> reports = recorder.Reports();
    ASSERT_EQ(reports.size(), 2U);
    EXPECT_EQ(reports[0].state, kDownloadBegins);
    EXPECT_TRUE(FolderFiles().empty());
}

// The server answers with a year's cache lifetime (max-age and Expires); the file changes on
// the server, and the second download must bring the new one, not a kept copy of the first.
TEST_F(DownloadTest, SameAddressTwiceFetchesTheNewContent) {
    Serve("cached.txt", "first version\n");
    Recorder first;
    ASSERT_EQ(Fetch("cached.txt", first), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), "first version\n");

    Serve("cached.txt", "second version, longer\n");
    Recorder second;
    ASSERT_EQ(Fetch("cached.txt", second), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), "second version, longer\n");
}

TEST_F(DownloadTest, ReturnsBeforeTheDataAndEndsOnAnotherThread) {
    Serve("slow.bin", Pattern(5000, 's'));
    Recorder recorder;
    ASSERT_TRUE(Start("slow.bin", recorder));
    EXPECT_TRUE(recorder.Reports().empty());
    ASSERT_TRUE(recorder.WaitForEnd());
    EXPECT_EQ(recorder.FinalState(), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), Pattern(5000, 's'));
    EXPECT_NE(recorder.FinalThread(), std::this_thread::get_id());
}

// As at an unload while the server has stopped sending halfway, or has never answered: the
// downloads end at once, nothing calls back after their end, and nothing is left behind.
TEST_F(DownloadTest, StopAllDownloadsEndsStalledAndSilentDownloads) {
    Serve("stalled.bin", Pattern(100000, 't'));
    Serve("silent.bin", Pattern(100000, 'u'));
    Recorder stalled;
    Recorder silent;
    ASSERT_TRUE(Start("stalled.bin", stalled, kNoLimit, "stalled.bin"));
    ASSERT_TRUE(Start("silent.bin", silent, kNoLimit, "silent.bin"));
    std::this_thread::sleep_for(1s);
    const auto before = std::chrono::steady_clock::now();
    StopAllDownloads();
    const auto waited = std::chrono::steady_clock::now() - before;
    EXPECT_LT(waited, 5s);
    std::printf("stalled and silent downloads stopped after %.2f s\n",
                std::chrono::duration<double>(waited).count());
    for (Recorder* recorder : {&stalled, &silent}) {
        EXPECT_TRUE(recorder->FinalState() == kDownloadCancelled ||
                    recorder->FinalState() == kDownloadFailed);
    }
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(stalled.CallsAfterEnd() + silent.CallsAfterEnd(), 0);
    EXPECT_TRUE(FolderFiles().empty());
}

// A server that takes the request and never answers, and one that stops halfway through the
// body, each hold their download no longer than the receive time-out: both end as failed, and
// the older file stays.
TEST_F(DownloadTest, SilentAndStalledServersFailWithinTheTimeOut) {
    Serve("stalled.bin", Pattern(100000, 't'));
    Serve("silent.bin", Pattern(100000, 'u'));
    WriteFile(scratch_.Path() / "stalled.bin", "older");
    WriteFile(scratch_.Path() / "silent.bin", "older");
    Recorder stalled;
    Recorder silent;
    const auto before = std::chrono::steady_clock::now();
    ASSERT_TRUE(Start("stalled.bin", stalled, kNoLimit, "stalled.bin"));
    ASSERT_TRUE(Start("silent.bin", silent, kNoLimit, "silent.bin"));
    for (Recorder* recorder : {&stalled, &silent}) {
        ASSERT_TRUE(recorder->WaitForEnd());
        EXPECT_EQ(recorder->FinalState(), kDownloadFailed);
    }
    const auto waited = std::chrono::steady_clock::now() - before;
    EXPECT_GE(waited, std::chrono::seconds(platform::kSilenceLimitSeconds - 1));
    EXPECT_LT(waited, std::chrono::seconds(platform::kSilenceLimitSeconds + 10));
    std::printf("silent and stalled downloads failed after %.1f s\n",
                std::chrono::duration<double>(waited).count());
    EXPECT_EQ(ReadFile(scratch_.Path() / "stalled.bin"), "older");
    EXPECT_EQ(ReadFile(scratch_.Path() / "silent.bin"), "older");
    EXPECT_EQ(FolderFiles(), (std::vector<std::string>{"silent.bin", "stalled.bin"}));
}

// A stop with nothing running returns at once, and downloads started after a stop run to their
// end as before.
TEST_F(DownloadTest, DownloadsAfterAStopArrive) {
    Serve("after-stop.txt", "after the stop");
    StopAllDownloads();
    Recorder recorder;
    EXPECT_EQ(Fetch("after-stop.txt", recorder), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), "after the stop");
}

TEST_F(DownloadTest, RedirectionsAreFollowedAFewTimesOnly) {
    const std::string body = Pattern(5000, 'r');
    Serve("moved.bin", body);
    Serve("loop.bin", "never reached");
    Recorder moved;
    EXPECT_EQ(Fetch("moved.bin", moved), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), body);
    // A server that sends the download round in a circle must not keep its thread for ever.
    Recorder loop;
    EXPECT_EQ(Fetch("loop.bin", loop), kDownloadFailed);
    EXPECT_EQ(ReadFile(TargetPath()), body);
}

// Names that the engine once downloaded through, planted in the folder, are never opened: a
// pipe there would block the download for ever, a file there is someone else's.
TEST_F(DownloadTest, EntriesBesideTheTargetAreLeftAlone) {
    const std::string body = Pattern(5000, 'p');
    Serve("whole-small.bin", body);
    WriteFile(scratch_.Path() / "versions.txt.download", "a user's file");
    WriteFile(scratch_.Path() / "versions.txt.part", "another");
    Recorder recorder;
    ASSERT_EQ(Fetch("whole-small.bin", recorder), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), body);
    EXPECT_EQ(ReadFile(scratch_.Path() / "versions.txt.download"), "a user's file");
    EXPECT_EQ(ReadFile(scratch_.Path() / "versions.txt.part"), "another");
    EXPECT_EQ(FolderFiles(), (std::vector<std::string>{"versions.txt", "versions.txt.download",
                                                       "versions.txt.part"}));
}

}  // namespace

// Downloads from a server in this process: the states and fractions a callback sees, the bytes
// that reach the target, and what a failed, cancelled or stopped download leaves behind.
#include "update/download_engine.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/scratch_folder.h"

namespace {

using namespace std::chrono_literals;

constexpr std::int64_t kNoLimit = 1 << 24;

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
        return ended_.wait_for(lock, 20s, [&] { return finalState_ >= 0; });
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

    std::int32_t answer = 0;
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
        return cancelAtFirstReport ? 1 : answer;
    }

    std::mutex mutex_;
    std::condition_variable ended_;
    std::vector<Report> reports_;
    std::int32_t finalState_ = -1;
    std::thread::id finalThread_;
    int callsAfterEnd_ = 0;
};

// A loopback server for one case, stopped when the case ends.
class LoopbackServer {
public:
    LoopbackServer() {
        server.set_read_timeout(5, 0);
        server.set_write_timeout(5, 0);
    }
    void Start() {
        port_ = server.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running()) {
            std::this_thread::sleep_for(1ms);
        }
    }
    ~LoopbackServer() {
        server.stop();
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

    httplib::Server server;

private:
    int port_ = 0;
    std::thread thread_;
};

class DownloadTest : public ::testing::Test {
protected:
    // As the module does before it goes: the threads must have left the engine.
    void TearDown() override { StopAllDownloads(); }

    std::int32_t Fetch(const std::string& path, Recorder& recorder,
                       std::int64_t maxBytes = kNoLimit) {
        const bool started = DownloadFileAsync(server_.Url(path).c_str(), Target().c_str(),
                                               Recorder::Callback, &recorder, maxBytes);
        EXPECT_TRUE(started);
        EXPECT_TRUE(recorder.WaitForEnd());
        return recorder.FinalState();
    }
    std::string Target() const { return scratch_.Utf8() + "/versions.txt"; }
    std::filesystem::path TargetPath() const { return scratch_.Path() / "versions.txt"; }
    // Nothing but the target (or nothing at all) is left in the folder.
    std::vector<std::string> FolderFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch_.Path())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    ScratchFolder scratch_;
    LoopbackServer server_;
};

TEST_F(DownloadTest, WholeFileArrivesWithRisingFractionsEndingInOne) {
    const std::string body = Pattern(300000, 'a');
    server_.server.Get("/file", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "application/octet-stream");
    });
    server_.Start();
    Recorder recorder;
    ASSERT_EQ(Fetch("/file", recorder), kDownloadDone);

    EXPECT_EQ(ReadFile(TargetPath()), body);
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{"versions.txt"});
    const std::vector<Report> reports = recorder.Reports();
    ASSERT_GE(reports.size(), 4U);
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
    server_.server.Get("/chunked", [&](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider(
            "text/plain", [&](std::size_t, httplib::DataSink& sink) {
                for (std::size_t at = 0; at < body.size(); at += 10000) {
                    sink.write(body.data() + at, 10000);
                }
                sink.done();
                return true;
            });
    });
    server_.Start();
    Recorder recorder;
    ASSERT_EQ(Fetch("/chunked", recorder), kDownloadDone);

    EXPECT_EQ(ReadFile(TargetPath()), body);
    const std::vector<Report> reports = recorder.Reports();
    ASSERT_GE(reports.size(), 4U);
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
    server_.server.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
        response.status = 404;
        response.set_content("not here", "text/plain");
    });
    server_.server.Get("/broken", [](const httplib::Request&, httplib::Response& response) {
        response.status = 500;
        response.set_content("server error", "text/plain");
    });
    server_.server.Get("/short", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(
            body.size(), "application/octet-stream",
            [&](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (offset >= body.size() / 2) {
                    return false;  // the connection drops
                }
                sink.write(body.data(), body.size() / 2);
                return true;
            });
    });
    server_.server.Get("/large", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "application/octet-stream");
    });
    server_.Start();

    struct Case {
        const char* path;
        std::int64_t maxBytes;
    };
    for (const Case& failing : {Case{"/missing", kNoLimit}, Case{"/broken", kNoLimit},
                                Case{"/short", kNoLimit}, Case{"/large", 19999}}) {
        SCOPED_TRACE(failing.path);
        std::ofstream(TargetPath(), std::ios::binary) << "older";
        Recorder recorder;
        EXPECT_EQ(Fetch(failing.path, recorder, failing.maxBytes), kDownloadFailed);
        EXPECT_EQ(recorder.Reports().back().fraction, 0.0);
        EXPECT_EQ(ReadFile(TargetPath()), "older");
        EXPECT_EQ(FolderFiles(), std::vector<std::string>{"versions.txt"});
    }
}

TEST_F(DownloadTest, ServerErrorLeavesNoFileAtTheTarget) {
    server_.server.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
        response.status = 404;
        response.set_content("not here", "text/plain");
    });
    server_.Start();
    Recorder recorder;
    EXPECT_EQ(Fetch("/missing", recorder), kDownloadFailed);
    EXPECT_TRUE(FolderFiles().empty());
}

TEST_F(DownloadTest, BodyOfExactlyTheLimitArrives) {
    const std::string body = Pattern(20000, 'z');
    server_.server.Get("/file", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "application/octet-stream");
    });
    server_.Start();
    Recorder recorder;
    EXPECT_EQ(Fetch("/file", recorder, 20000), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), body);
}

TEST_F(DownloadTest, RefusedConnectionFails) {
    std::string url;
    {
        LoopbackServer closed;
        closed.Start();
        url = closed.Url("/file");
    }
    Recorder recorder;
    ASSERT_TRUE(
        DownloadFileAsync(url.c_str(), Target().c_str(), Recorder::Callback, &recorder, kNoLimit));
    ASSERT_TRUE(recorder.WaitForEnd());
    EXPECT_EQ(recorder.FinalState(), kDownloadFailed);
    EXPECT_TRUE(FolderFiles().empty());
}

TEST_F(DownloadTest, AnswerOneAtTheFirstReportCancels) {
    const std::string body = Pattern(300000, 'c');
    server_.server.Get("/file", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "application/octet-stream");
    });
    server_.Start();
    Recorder recorder;
    recorder.cancelAtFirstReport = true;
    EXPECT_EQ(Fetch("/file", recorder), kDownloadCancelled);
    const std::vector<Report> reports = recorder.Reports();
    ASSERT_EQ(reports.size(), 2U);
    EXPECT_EQ(reports[0].state, kDownloadBegins);
    EXPECT_TRUE(FolderFiles().empty());
}

TEST_F(DownloadTest, SameAddressTwiceFetchesTheNewContent) {
    std::mutex mutex;
    std::string body = "first version\n";
    server_.server.Get("/versions", [&](const httplib::Request&, httplib::Response& response) {
        const std::lock_guard lock(mutex);
        response.set_header("Cache-Control", "max-age=3600");
        response.set_content(body, "text/plain");
    });
    server_.Start();
    Recorder first;
    ASSERT_EQ(Fetch("/versions", first), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), "first version\n");
    {
        const std::lock_guard lock(mutex);
        body = "second version, longer\n";
    }
    Recorder second;
    ASSERT_EQ(Fetch("/versions", second), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), "second version, longer\n");
}

TEST_F(DownloadTest, ReturnsBeforeTheDataAndEndsOnAnotherThread) {
    std::mutex mutex;
    std::condition_variable returned;
    bool hasReturned = false;
    server_.server.Get("/file", [&](const httplib::Request&, httplib::Response& response) {
        std::unique_lock lock(mutex);
        returned.wait_for(lock, 10s, [&] { return hasReturned; });
        response.set_content(hasReturned ? "after" : "too early", "text/plain");
    });
    server_.Start();
    Recorder recorder;
    ASSERT_TRUE(DownloadFileAsync(server_.Url("/file").c_str(), Target().c_str(),
                                  Recorder::Callback, &recorder, kNoLimit));
    {
        const std::lock_guard lock(mutex);
        hasReturned = true;
    }
    returned.notify_all();
    ASSERT_TRUE(recorder.WaitForEnd());
    EXPECT_EQ(recorder.FinalState(), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), "after");
    EXPECT_NE(recorder.FinalThread(), std::this_thread::get_id());
}

TEST_F(DownloadTest, StopAllDownloadsEndsASlowDownload) {
    std::atomic<bool> caseOver = false;
    server_.server.Get("/slow", [&](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider("text/plain",
                                              [&](std::size_t, httplib::DataSink& sink) {
                                                  for (int i = 0; i < 100 && !caseOver; ++i) {
                                                      if (!sink.write("x", 1)) {
                                                          return false;
                                                      }
                                                      std::this_thread::sleep_for(100ms);
                                                  }
                                                  sink.done();
                                                  return true;
                                              });
    });
    server_.Start();
    Recorder recorder;
    ASSERT_TRUE(DownloadFileAsync(server_.Url("/slow").c_str(), Target().c_str(),
                                  Recorder::Callback, &recorder, kNoLimit));
    std::this_thread::sleep_for(300ms);
    const auto before = std::chrono::steady_clock::now();
    StopAllDownloads();
    const auto waited = std::chrono::steady_clock::now() - before;
    EXPECT_LT(waited, 3s);
    EXPECT_TRUE(recorder.FinalState() == kDownloadCancelled ||
                recorder.FinalState() == kDownloadFailed);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(recorder.CallsAfterEnd(), 0);
    EXPECT_TRUE(FolderFiles().empty());
    caseOver = true;
}

// A stop with nothing running returns at once, and downloads started after a stop run to their
// end as before.
TEST_F(DownloadTest, DownloadsAfterAStopArrive) {
    server_.server.Get("/file", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("after the stop", "text/plain");
    });
    server_.Start();
    StopAllDownloads();
    Recorder recorder;
    EXPECT_EQ(Fetch("/file", recorder), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), "after the stop");
}

}  // namespace

TEST_F(DownloadTest, RedirectionsAreFollowedAFewTimesOnly) {
    const std::string body = Pattern(5000, 'r');
    std::atomic<int> loopRequests{0};
    server_.server.Get("/file", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "application/octet-stream");
    });
    server_.server.Get("/moved", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/file");
    });
    server_.server.Get("/loop", [&](const httplib::Request&, httplib::Response& response) {
        ++loopRequests;
        response.set_redirect("/loop");
    });
    server_.Start();
    Recorder moved;
    EXPECT_EQ(Fetch("/moved", moved), kDownloadDone);
    EXPECT_EQ(ReadFile(TargetPath()), body);
    // A server that sends the download round in a circle must not keep its thread for ever.
    Recorder loop;
    EXPECT_EQ(Fetch("/loop", loop), kDownloadFailed);
    EXPECT_LE(loopRequests.load(), 25);
    EXPECT_EQ(ReadFile(TargetPath()), body);
}

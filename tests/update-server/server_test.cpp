// velmora-update-server as tests and the demo meet it: files below its root, directly and as a
// proxy, each fault mode, no way out of the root, and the limits that end it by itself.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace {

const std::string kVersionsPath = "/update_plugins/versions.txt";
const std::string kProxyTarget = "http://updates.velmora.example" + kVersionsPath;

std::filesystem::path Root() {
    static const std::filesystem::path root = [] {
        const auto folder = std::filesystem::temp_directory_path() /
                            ("velmora-server-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "root" / "update_plugins");
        std::ofstream(folder / "root" / "update_plugins" / "versions.txt", std::ios::binary)
            << std::string(20000, 'v');
        std::ofstream(folder / "secret.txt") << "outside the root";
        return folder / "root";
    }();
    return root;
}

// The folder goes with the test program, so that runs leave nothing in the temporary folder.
class RootRemoval : public ::testing::Environment {
public:
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(Root().parent_path(), ignored);
    }
};
[[maybe_unused]] ::testing::Environment* const kRootRemoval =
    ::testing::AddGlobalTestEnvironment(new RootRemoval);

std::string Versions() {
    return std::string(20000, 'v');
}

// The server as a child process, stopped at the end of the test if it has not stopped itself.
class RunningServer {
public:
    explicit RunningServer(std::vector<std::string> options) {
        int out[2];
        EXPECT_EQ(pipe(out), 0);
        options.insert(options.begin(), {VELMORA_UPDATE_SERVER, "--root", Root().string(), "--port",
                                         "0", "--max-seconds", "20"});
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            std::vector<char*> argv;
            argv.reserve(options.size() + 1);
            for (std::string& word : options) {
                argv.push_back(word.data());
            }
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        FILE* output = fdopen(out[0], "r");
        char line[128] = {};
        if (std::fgets(line, sizeof line, output) != nullptr) {
            std::sscanf(line, "LISTENING http://127.0.0.1:%d", &port_);
        }
        std::fclose(output);
    }
    ~RunningServer() {
        if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    RunningServer(const RunningServer&) = delete;
    RunningServer& operator=(const RunningServer&) = delete;

    httplib::Client Client() const {
        httplib::Client client("127.0.0.1", port_);
        client.set_read_timeout(10, 0);
        return client;
    }
    // The exit status once it has stopped by itself within `seconds`; -1 if it keeps running.
    int ExitStatusWithin(int seconds) {
        for (int i = 0; i < seconds * 50; ++i) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = 0;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
            }
            usleep(20000);
        }
        return -1;
    }
    int Port() const { return port_; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

TEST(UpdateServer, ServesTheFileDirectlyAndAsAProxy) {
    RunningServer server({});
    ASSERT_NE(server.Port(), 0);
    for (const std::string& target : {kVersionsPath, kProxyTarget}) {
        const auto result = server.Client().Get(target);
        ASSERT_TRUE(result) << target;
        EXPECT_EQ(result->status, 200);
        EXPECT_EQ(result->body, Versions());
        EXPECT_EQ(result->get_header_value("Content-Length"), "20000");
    }
}

TEST(UpdateServer, EachFaultModeAnswersAsABrokenServerWould) {
    struct Case {
        const char* fault;
        int status;  // 0: the transfer itself fails
        bool wholeBody;
        bool hasLength;
    } const kCases[] = {
        {"404", 404, false, true},     {"500", 500, false, true}, {"html", 200, false, true},
        {"chunked", 200, true, false}, {"short", 0, false, true}, {"slow", 200, true, true},
    };
    for (const Case& entry : kCases) {
        SCOPED_TRACE(entry.fault);
        RunningServer server({"--fault", kVersionsPath + "=" + entry.fault});
        const auto result = server.Client().Get(kProxyTarget);
        if (entry.status == 0) {
            EXPECT_TRUE(!result || result->body.size() < Versions().size());
            continue;
        }
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, entry.status);
        EXPECT_EQ(result->body == Versions(), entry.wholeBody);
        EXPECT_EQ(result->has_header("Content-Length"), entry.hasLength);
    }
}

// A server that holds the connection: no answer at all, or half the body and then nothing, for
// as long as the client waits; the server still stops at once when its time is up.
TEST(UpdateServer, SilentAndStalledAnswersHoldTheClientUntilItGivesUp) {
    for (const char* fault : {"silent", "stall"}) {
        SCOPED_TRACE(fault);
        RunningServer server({"--fault", kVersionsPath + "=" + fault});
        httplib::Client client = server.Client();
        client.set_read_timeout(1, 0);
        const auto result = client.Get(kProxyTarget);
        EXPECT_TRUE(!result || result->body.size() < Versions().size());
    }
}

TEST(UpdateServer, CachedAndRedirectedAnswers) {
    RunningServer server({"--fault", kVersionsPath + "=cached,redirect"});
    const auto cached = server.Client().Get(kProxyTarget);
    ASSERT_TRUE(cached);
    EXPECT_EQ(cached->body, Versions());
    EXPECT_EQ(cached->get_header_value("Cache-Control"), "public, max-age=31536000");
    EXPECT_TRUE(cached->has_header("Expires"));
    const auto moved = server.Client().Get(kProxyTarget);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->status, 302);
    EXPECT_EQ(moved->get_header_value("Location"), kVersionsPath);
}

TEST(UpdateServer, AListOfFaultsAnswersThePathsRequestsInTurn) {
    RunningServer server({"--fault", kVersionsPath + "=404,none,500"});
    const std::string otherPath = "/update_plugins/banner.jpg";
    std::ofstream(Root() / "update_plugins" / "banner.jpg", std::ios::binary) << "banner";
    std::vector<int> statuses;
    for (int request = 0; request < 7; ++request) {
        const auto result = server.Client().Get(kProxyTarget);
        ASSERT_TRUE(result);
        statuses.push_back(result->status);
        if (request == 1) {
            // Another path neither takes a turn nor has a fault.
            const auto other = server.Client().Get(otherPath);
            ASSERT_TRUE(other);
            EXPECT_EQ(other->status, 200);
        }
    }
    EXPECT_EQ(statuses, (std::vector<int>{404, 200, 500, 404, 200, 500, 404}));
}

TEST(UpdateServer, RefusesFaultListsItCannotServe) {
    const std::string root = Root().string();  // made here, not once in every child
    for (const std::string& fault :
         {kVersionsPath + "=404,", kVersionsPath + "=404,,500", kVersionsPath + "=none,refuse",
          kVersionsPath + "=404,slowly"}) {
        SCOPED_TRACE(fault);
        const pid_t child = fork();
        if (child == 0) {
            execl(VELMORA_UPDATE_SERVER, VELMORA_UPDATE_SERVER, "--root", root.c_str(), "--fault",
                  fault.c_str(), "--max-seconds", "1", static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 2);
    }
}

TEST(UpdateServer, RefusedConnectionsReachNobody) {
    RunningServer server({"--fault", "refuse"});
    ASSERT_NE(server.Port(), 0);
    EXPECT_FALSE(server.Client().Get(kVersionsPath));
}

TEST(UpdateServer, NoPathLeavesTheRoot) {
    RunningServer server({});
    for (const char* target : {"/../secret.txt", "/update_plugins/../../secret.txt",
                               "/update_plugins/%2e%2e/%2e%2e/secret.txt",
                               "http://updates.velmora.example/../secret.txt", "/update_plugins"}) {
        const auto result = server.Client().Get(target);
        ASSERT_TRUE(result) << target;
        EXPECT_EQ(result->status, 404) << target;
        EXPECT_EQ(result->body.find("outside the root"), std::string::npos) << target;
    }
}

TEST(UpdateServer, StopsByItselfAfterItsRequests) {
    RunningServer server({"--max-requests", "2"});
    EXPECT_TRUE(server.Client().Get(kVersionsPath));
    EXPECT_TRUE(server.Client().Get(kVersionsPath));
    server.Client().Get(kVersionsPath);
    EXPECT_EQ(server.ExitStatusWithin(5), 0);
}

TEST(UpdateServer, RunsACommandThroughItAndPassesOnItsStatus) {
    RunningServer server({"--", "/bin/sh", "-c",
                          "case \"$http_proxy\" in http://127.0.0.1:*) exit 7;; esac; exit 1"});
    EXPECT_EQ(server.ExitStatusWithin(10), 7);
}

}  // namespace

// Any bytes as the whole answer of the update server (status line, headers, body), served from
// loopback to a download of the catalogue, once under its own cap and once under a cap of a few
// bytes. Every download ends once with one final state; a completed one leaves exactly a body of
// the answer within the cap at its target, anything else leaves nothing.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>

#include "host/host_control.h"
#include "platform/native_path.h"
#include "shell/host_interface.h"
#include "update/download_engine.h"
#include "update/download_file_names.h"
#include "update/update_host.h"

namespace {

// Small enough that a short answer crosses it.
constexpr std::int64_t kSmallCap = 64;
// Requests one download may make: a few redirections, each request perhaps sent again once on a
// new connection when the server closed the one kept open.
constexpr int kMaxConnections = 12;

// A server on loopback that answers every connection with the current answer and closes it.
class AnswerServer {
public:
    AnswerServer() {
        listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(listener, 16) != 0 ||
            getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            std::abort();
        }
        port = ntohs(address.sin_port);
        // Runs for the life of the process, as the fuzzer does.
        std::thread([this] { Serve(); }).detach();
    }

    // The answer from now on; the count of connections starts again.
    void SetAnswer(std::string bytes) {
        const std::lock_guard lock(mutex);
        answer = std::move(bytes);
        connections = 0;
    }
    int Connections() {
        const std::lock_guard lock(mutex);
        return connections;
    }

    int port = 0;

private:
    void Serve() {
        for (;;) {
            const int connection = accept(listener, nullptr, nullptr);
            if (connection < 0) {
                continue;
            }
            ReadRequest(connection);
            std::string bytes;
            {
                const std::lock_guard lock(mutex);
                bytes = answer;
                ++connections;
            }
            std::size_t sent = 0;
            while (sent < bytes.size()) {
                const ssize_t written =
                    send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
                if (written <= 0) {
                    break;
                }
                sent += static_cast<std::size_t>(written);
            }
            shutdown(connection, SHUT_WR);
            close(connection);
        }
    }

    // Up to the blank line after the headers; a client that says nothing for a second is
    // answered anyway.
    static void ReadRequest(int connection) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            pollfd wait{connection, POLLIN, 0};
            if (poll(&wait, 1, 1000) <= 0) {
                return;
            }
            const ssize_t received = recv(connection, buffer, sizeof buffer, 0);
            if (received <= 0) {
                return;
            }
            request.append(buffer, static_cast<std::size_t>(received));
        }
    }

    int listener = -1;
    std::mutex mutex;
    std::string answer;
    int connections = 0;
};

// What one download told its callback.
class Recorder {
public:
    static std::int32_t Callback(std::int32_t state, double fraction, void* userData) {
        static_cast<Recorder*>(userData)->Record(state, fraction);
        return 0;
    }

    std::int32_t WaitForEnd() {
        std::unique_lock lock(mutex);
        ended.wait(lock, [&] { return finalState >= 0; });
        return finalState;
    }

private:
    void Record(std::int32_t state, double fraction) {
        const std::lock_guard lock(mutex);
        const bool isFinal = IsFinalDownloadState(state);
        // Nothing after the final state; the beginning once, before any progress; fractions
        // between 0 and 1.
        if (finalState >= 0 || (state == kDownloadBegins && (begun || progressed)) ||
            (state == kDownloadProgress && (!begun || !(fraction >= 0.0 && fraction <= 1.0))) ||
            (!isFinal && state != kDownloadBegins && state != kDownloadProgress)) {
            __builtin_trap();
        }
        begun = begun || state == kDownloadBegins;
        progressed = progressed || state == kDownloadProgress;
        if (isFinal) {
            finalState = state;
            ended.notify_all();
        }
    }

    std::mutex mutex;
    std::condition_variable ended;
    std::int32_t finalState = -1;
    bool begun = false;
    bool progressed = false;
};

struct Setup {
    Setup() {
        HostInterface::SetFunctionTable(host::FunctionTable());
        // Every address, a redirection's included, reaches the server above and nothing else.
        const std::string proxy = "http://127.0.0.1:" + std::to_string(server.port);
        for (const char* name : {"http_proxy", "HTTPS_PROXY", "ALL_PROXY"}) {
            setenv(name, proxy.c_str(), 1);
        }
        for (const char* name : {"no_proxy", "NO_PROXY", "https_proxy", "all_proxy"}) {
            unsetenv(name);
        }
        char folder[] = "/tmp/velmora-http-fuzz-XXXXXX";
        if (mkdtemp(folder) == nullptr) {
            std::abort();
        }
        target = std::filesystem::path(folder) / kCatalogueFileName;
        location = platform::LocationTextFromNativePath(target.string());
    }

    AnswerServer server;
    std::filesystem::path target;
    std::string location;
};

bool MayHoldTransformedBody(const std::string& answer) {
    std::string lower(answer);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("chunked") != std::string::npos;
}

void DownloadOnce(Setup& setup, const std::string& answer, std::int64_t cap) {
    setup.server.SetAnswer(answer);
    std::error_code error;
    std::filesystem::remove(setup.target, error);
    Recorder recorder;
    // Plain http, through the proxy this program is: the answer is read the same way beneath TLS.
    const NX_String url = NX_String("http://updates.velmora.example") + kVersionsFilePath;
    if (!DownloadFileAsync(url, NX_Location(setup.location.c_str()), &Recorder::Callback, &recorder,
                           cap)) {
        std::abort();
    }
    const std::int32_t state = recorder.WaitForEnd();
    StopAllDownloads();  // the thread has left the engine

    if (setup.server.Connections() > kMaxConnections) {
        __builtin_trap();
    }
    // No data in transit outlives its download.
    for (const auto& entry : std::filesystem::directory_iterator(setup.target.parent_path())) {
        if (entry.path().filename().string().ends_with(kPartialFileEnding)) {
            __builtin_trap();
        }
    }
    if (state != kDownloadDone) {
        if (std::filesystem::exists(setup.target) || state == kDownloadCancelled) {
            __builtin_trap();
        }
        return;
    }
    std::ifstream in(setup.target, std::ios::binary);
    const std::string body{std::istreambuf_iterator<char>(in), {}};
    if (static_cast<std::int64_t>(body.size()) > cap ||
        (!MayHoldTransformedBody(answer) && answer.find(body) == std::string::npos)) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Setup setup;
    const std::string answer(reinterpret_cast<const char*>(data), size);
    DownloadOnce(setup, answer, kMaxVersionsFileBytes);
    DownloadOnce(setup, answer, kSmallCap);
    return 0;
}

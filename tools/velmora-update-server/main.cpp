// velmora-update-server --root DIR [--port N] [--fault MODE | --fault PATH=MODE[,MODE...]]...
//                       [--max-seconds S] [--max-requests N] [--log FILE] [-- COMMAND ARGS...]
//
// Serves the update folder on 127.0.0.1, also to requests made through it as an HTTP proxy, so
// that the module's fixed update host reaches it through http_proxy. With a command, runs it
// with http_proxy pointing here and exits with its status; without one, prints
// "LISTENING http://127.0.0.1:PORT" and serves until a limit. It always stops by itself after
// max-seconds or max-requests, so a forgotten server never outlives its test.
#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <thread>

#include "options.h"
#include "responder.h"

namespace {

using namespace update_server;

constexpr const char* kLoopback = "127.0.0.1";

// Runs the command with the proxy variables set; answers its exit status, or 1 when it could
// not run or did not end before the deadline (it is killed then).
int RunCommand(const std::vector<std::string>& command, const std::string& proxy,
               std::chrono::steady_clock::time_point deadline) {
    const pid_t child = fork();
    if (child == 0) {
        setenv("http_proxy", proxy.c_str(), 1);
        setenv("HTTP_PROXY", proxy.c_str(), 1);
        unsetenv("no_proxy");
        unsetenv("NO_PROXY");
        std::vector<char*> argv;
        argv.reserve(command.size() + 1);
        for (const std::string& word : command) {
            argv.push_back(const_cast<char*>(word.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        std::perror(argv[0]);
        _exit(127);
    }
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            std::fprintf(stderr, "velmora-update-server: the command ran too long, stopped\n");
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// For the refused connection: a port that nobody listens on. A bound but idle listening socket
// would not do: the system accepts connections into its backlog and the client waits forever.
int UnusedPort(int wanted) {
    if (wanted != 0) {
        return wanted;
    }
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = -1;
    if (probe >= 0 && bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    if (probe >= 0) {
        close(probe);
    }
    return port;
}

}  // namespace

// Read by ThreadSanitizer when the server is built for it (the tsan preset): the HTTP library is
// a system library built without it, so the race detector cannot see the library's own locking
// and reports the answering threads' copies as races. Its calls are not ours to check.
extern "C" __attribute__((visibility("default"))) const char* __tsan_default_suppressions() {
    return "race:libcpp-httplib.so\n";
}

int main(int argc, char** argv) {
    std::string problem;
    const std::optional<Options> parsed =
        ParseOptions(std::vector<std::string>(argv + 1, argv + argc), problem);
    if (!parsed) {
        std::fprintf(stderr, "velmora-update-server: %s\n", problem.c_str());
        return 2;
    }
    const Options& options = *parsed;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(options.maxSeconds);

    httplib::Server server;
    // A silent or stalled answer holds its thread until the server stops. One answer per
    // connection, so that no idle connection holds one of the remaining threads as well and
    // the next client waits for it.
    server.set_keep_alive_max_count(1);
    Responder responder(options);
    std::ofstream log;
    if (!options.logFile.empty()) {
        log.open(options.logFile, std::ios::app);
    }
    std::mutex logMutex;
    std::atomic<int> requests{0};
    server.Get(".*", [&](const httplib::Request& request, httplib::Response& response) {
        if (++requests > options.maxRequests) {
            response.status = 503;
            responder.Stop();
            server.stop();
            return;
        }
        responder.Answer(request, response);
    });
    server.set_logger([&](const httplib::Request& request, const httplib::Response& response) {
        const std::lock_guard lock(logMutex);
        if (log.is_open()) {
            log << request.method << ' ' << PathOfTarget(request.path) << ' ' << response.status
                << '\n'
                << std::flush;
        }
    });

    const int port =
        options.fault == Fault::Refuse
            ? UnusedPort(options.port)
            : (options.port == 0
                   ? server.bind_to_any_port(kLoopback)
                   : (server.bind_to_port(kLoopback, options.port) ? options.port : -1));
    if (port < 0) {
        std::fprintf(stderr, "velmora-update-server: cannot listen on %s:%d\n", kLoopback,
                     options.port);
        return 1;
    }
    const std::string address = "http://" + std::string(kLoopback) + ":" + std::to_string(port);
    std::thread listener([&] {
        if (options.fault != Fault::Refuse) {
            server.listen_after_bind();
        }
    });
    std::mutex stopMutex;
    std::condition_variable stopped;
    bool finished = false;
    std::thread watchdog([&] {
        std::unique_lock lock(stopMutex);
        stopped.wait_until(lock, deadline, [&] { return finished; });
        responder.Stop();
        server.stop();
    });

    int status = 0;
    if (options.command.empty()) {
        std::printf("LISTENING %s\n", address.c_str());
        std::fflush(stdout);
        listener.join();
    } else {
        status = RunCommand(options.command, address, deadline);
        responder.Stop();
        server.stop();
        listener.join();
    }
    {
        const std::lock_guard lock(stopMutex);
        finished = true;
    }
    stopped.notify_all();
    watchdog.join();
    return status;
}

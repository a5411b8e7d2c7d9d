// velmora-update-server --root DIR [--port N] [--fault MODE | --fault PATH=MODE[,MODE...]]...
//                       [--serve PATH=FILE[,FILE...]]... [--certificates DIR --tls NAME[,NAME...]]
//                       [--http-port N] [--direct yes] [--max-seconds S] [--max-requests N]
//                       [--log FILE] [-- COMMAND ARGS...]
//
// Serves the update folder on 127.0.0.1, over plain http (also to requests made through it as an
// HTTP proxy, so that a module reaches it through http_proxy) or over https with the certificates
// named. With a command, runs it with http_proxy pointing here (with "--direct yes": with no proxy,
// for a command that reaches the server by its name) and exits with its status; without
// one, prints "LISTENING http://127.0.0.1:PORT" (or https) and serves until a limit. It always
// stops by itself after max-seconds or max-requests, so a forgotten server never outlives its test.
#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <thread>

#include "options.h"
#include "responder.h"

namespace {

using namespace update_server;

constexpr const char* kLoopback = "127.0.0.1";

// Runs the command with the proxy variables set to `proxy` (none: the command reaches the server
// by its name, in a private network); answers its exit status, or 1 when it could not run or did
// not end before the deadline (it is killed then).
int RunCommand(const std::vector<std::string>& command, const std::string& proxy,
               std::chrono::steady_clock::time_point deadline) {
    const pid_t child = fork();
    if (child == 0) {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY"}) {
            if (proxy.empty()) {
                unsetenv(name);
            } else {
                setenv(name, proxy.c_str(), 1);
            }
        }
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

// The certificates that the TLS handshakes present in turn: each connection takes the next one
// when its handshake asks for a certificate, and keeps it.
class CertificateTurns {
public:
    // False, with a message, when a certificate or key cannot be read.
    bool Load(const std::string& folder, const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            Identity identity;
            const std::string base = (std::filesystem::path(folder) / name).string();
            const std::string certificateFile = base + ".crt";
            const std::string keyFile = base + ".key";
            if (std::FILE* file = std::fopen(certificateFile.c_str(), "r")) {
                identity.chain = sk_X509_new_null();
                identity.certificate = PEM_read_X509(file, nullptr, nullptr, nullptr);
                while (X509* issuer = PEM_read_X509(file, nullptr, nullptr, nullptr)) {
                    sk_X509_push(identity.chain, issuer);
                }
                std::fclose(file);
            }
            if (std::FILE* file = std::fopen(keyFile.c_str(), "r")) {
                identity.key = PEM_read_PrivateKey(file, nullptr, nullptr, nullptr);
                std::fclose(file);
            }
            const bool whole = identity.certificate != nullptr && identity.key != nullptr;
            identities_.push_back(identity);
            if (!whole) {
                std::fprintf(stderr, "velmora-update-server: cannot read %s and %s\n",
                             certificateFile.c_str(), keyFile.c_str());
                return false;
            }
        }
        return !identities_.empty();
    }
    ~CertificateTurns() {
        for (const Identity& identity : identities_) {
            X509_free(identity.certificate);
            EVP_PKEY_free(identity.key);
            sk_X509_pop_free(identity.chain, X509_free);
        }
    }

    void Install(SSL_CTX& context) {
        SSL_CTX_set_cert_cb(&context, &CertificateTurns::Choose, this);
    }

private:
    struct Identity {
        X509* certificate = nullptr;
        EVP_PKEY* key = nullptr;
        STACK_OF(X509) * chain = nullptr;
    };

    static int Choose(SSL* ssl, void* self) {
        auto& turns = *static_cast<CertificateTurns*>(self);
        // A handshake that asks twice (after a retry request) keeps the certificate it has.
        if (SSL_get_certificate(ssl) != nullptr) {
            return 1;
        }
        const Identity& identity = turns.identities_[turns.next_++ % turns.identities_.size()];
        return SSL_use_certificate(ssl, identity.certificate) == 1 &&
                       SSL_use_PrivateKey(ssl, identity.key) == 1 &&
                       SSL_set1_chain(ssl, identity.chain) == 1
                   ? 1
                   : 0;
    }

    std::vector<Identity> identities_;
    std::atomic<std::size_t> next_{0};
};

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

    CertificateTurns certificates;
    if (!options.certificates.empty() &&
        !certificates.Load(options.certificatesFolder, options.certificates)) {
        return 1;
    }
    std::unique_ptr<httplib::Server> secureServer;
    if (!options.certificates.empty()) {
        secureServer = std::make_unique<httplib::SSLServer>([&](SSL_CTX& context) {
            certificates.Install(context);
            return true;
        });
    }
    httplib::Server plainServer;
    httplib::Server& server = secureServer ? *secureServer : plainServer;
    // The same files over plain http on a second port, beside the https one.
    httplib::Server alsoPlain;
    // A silent or stalled answer holds its thread until the server stops. One answer per
    // connection, so that no idle connection holds one of the remaining threads as well and
    // the next client waits for it.
    server.set_keep_alive_max_count(1);
    alsoPlain.set_keep_alive_max_count(1);
    Responder responder(options);
    std::ofstream log;
    if (!options.logFile.empty()) {
        log.open(options.logFile, std::ios::app);
    }
    std::mutex logMutex;
    std::atomic<int> requests{0};
    const auto stopAll = [&] {
        responder.Stop();
        server.stop();
        alsoPlain.stop();
    };
    const auto answer = [&](const httplib::Request& request, httplib::Response& response) {
        if (++requests > options.maxRequests) {
            response.status = 503;
            stopAll();
            return;
        }
        responder.Answer(request, response);
    };
    const auto logAnswer = [&](const httplib::Request& request, const httplib::Response& response) {
        const std::lock_guard lock(logMutex);
        if (log.is_open()) {
            log << request.method << ' ' << PathOfTarget(request.path) << ' ' << response.status
                << '\n'
                << std::flush;
        }
    };
    for (httplib::Server* each : {&server, &alsoPlain}) {
        each->Get(".*", answer);
        each->set_logger(logAnswer);
    }
    if (options.plainPort != 0 && !alsoPlain.bind_to_port(kLoopback, options.plainPort)) {
        std::fprintf(stderr, "velmora-update-server: cannot listen on %s:%d\n", kLoopback,
                     options.plainPort);
        return 1;
    }

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
    const std::string address =
        std::string(secureServer ? "https://" : "http://") + kLoopback + ":" + std::to_string(port);
    std::thread listener([&] {
        if (options.fault != Fault::Refuse) {
            server.listen_after_bind();
        }
    });
    std::thread plainListener([&] {
        if (options.plainPort != 0) {
            alsoPlain.listen_after_bind();
        }
    });
    std::mutex stopMutex;
    std::condition_variable stopped;
    bool finished = false;
    std::thread watchdog([&] {
        std::unique_lock lock(stopMutex);
        stopped.wait_until(lock, deadline, [&] { return finished; });
        stopAll();
    });

    int status = 0;
    if (options.command.empty()) {
        std::printf("LISTENING %s\n", address.c_str());
        std::fflush(stdout);
        listener.join();
    } else {
        status = RunCommand(options.command, options.direct ? "" : address, deadline);
        stopAll();
        listener.join();
    }
    alsoPlain.stop();
    plainListener.join();
    {
        const std::lock_guard lock(stopMutex);
        finished = true;
    }
    stopped.notify_all();
    watchdog.join();
    return status;
}

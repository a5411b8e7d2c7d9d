// Answers one request: a file below the root, or the fault chosen for its path.
#pragma once

#include <httplib.h>

#include <atomic>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "options.h"

namespace update_server {

// The path of a request as a server sees it; a proxy request ("GET http://host:port/path")
// names the host in its target and is answered from the same root.
std::string PathOfTarget(const std::string& target);

// The file's place below the root, or null when the path could leave it or names no file.
std::optional<std::string> FileBelowRoot(const std::string& root, const std::string& path);

// Any thread of the server may answer.
class Responder {
public:
    explicit Responder(const Options& options) : options_(options) {}

    void Answer(const httplib::Request& request, httplib::Response& response);
    // Ends the answers that hold their connection open (silent, stall), so that the server can
    // stop; call it before stopping the server.
    void Stop() { stopping_ = true; }

private:
    void WaitForStop() const;
    // The path's next fault in turn, or the global one.
    Fault FaultFor(const std::string& path);
    // The path's next file in turn, or the path itself.
    std::string FileFor(const std::string& path);

    const Options& options_;
    std::mutex mutex_;
    std::map<std::string, std::size_t> requestsByPath_;
    std::map<std::string, std::size_t> servedByPath_;
    std::atomic<bool> stopping_{false};
};

}  // namespace update_server

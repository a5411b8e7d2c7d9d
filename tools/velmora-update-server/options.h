// The command line of velmora-update-server.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace update_server {

// How a request is answered: as it should be, or with one of the faults a real server shows.
enum class Fault {
    None,
    NotFound,
    ServerError,
    Refuse,
    Short,
    Chunked,
    Slow,
    Html,
    Silent,    // the request is taken and never answered
    Stall,     // the length is announced, half the body is sent, then nothing more
    Cached,    // the file, with a year's cache lifetime
    Redirect,  // sent back to the same path
};

struct Options {
    std::string root;
    int port = 0;  // 0: any free port
    Fault fault = Fault::None;
    // By path, before the global fault: the path's requests are answered with each in turn,
    // round and round.
    std::map<std::string, std::vector<Fault>> pathFaults;
    int maxSeconds = 60;
    int maxRequests = 1000;
    std::string logFile;
    std::vector<std::string> command;  // after "--": run it with http_proxy set, then stop
};

// Null with `problem` set when the command line is wrong.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments,
                                    std::string& problem);

}  // namespace update_server

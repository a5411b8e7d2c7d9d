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
    Trickle,   // the length is announced, then one byte every ten seconds, never silent for long
};

struct Options {
    std::string root;
    int port = 0;  // 0: any free port
    Fault fault = Fault::None;
    // By path, before the global fault: the path's requests are answered with each in turn,
    // round and round.
    std::map<std::string, std::vector<Fault>> pathFaults;
    // By path: the files below the root that answer the path's requests, each in turn, round and
    // round (the catalogue or the banner changing from one check to the next).
    std::map<std::string, std::vector<std::string>> servedFiles;
    // https: the certificates (certificatesFolder/NAME.crt, with the chain after it, and
    // NAME.key) that the TLS handshakes present, each in turn; empty: plain http.
    std::string certificatesFolder;
    std::vector<std::string> certificates;
    // Another port on which the same files are answered over plain http; 0: none.
    int plainPort = 0;
    // The command reaches the server by the update host's name (in a private network where it is
    // this address), not through http_proxy: it runs with no proxy variables.
    bool direct = false;
    int maxSeconds = 60;
    int maxRequests = 1000;
    std::string logFile;
    std::vector<std::string> command;  // after "--": run it with http_proxy set, then stop
};

// Null with `problem` set when the command line is wrong.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments,
                                    std::string& problem);

}  // namespace update_server

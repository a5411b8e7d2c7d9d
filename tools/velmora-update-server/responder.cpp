#include "responder.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

namespace update_server {
namespace {

constexpr const char* kHtmlErrorPage =
    "<!DOCTYPE html><html><head><title>Service unavailable</title></head>"
    "<body><h1>The page is being updated.</h1></body></html>";
// A slow body arrives in about 50 pieces over about two seconds, whatever its size.
constexpr std::size_t kSlowPieces = 50;
constexpr auto kSlowPause = std::chrono::milliseconds(40);
constexpr auto kHoldPause = std::chrono::milliseconds(20);
// A trickling body: one byte, then this long before the next, under any silence time-out.
constexpr auto kTricklePause = std::chrono::seconds(10);
// A year, in seconds and as an HTTP date from the time of the answer.
constexpr long kYearSeconds = 31536000;

std::string HttpDateAYearAhead() {
    const std::time_t later = std::time(nullptr) + kYearSeconds;
    std::tm parts{};
    gmtime_r(&later, &parts);
    char text[64] = {};
    std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S GMT", &parts);
    return text;
}

std::string ContentType(const std::string& path) {
    if (path.ends_with(".jpg")) {
        return "image/jpeg";
    }
    if (path.ends_with(".htm") || path.ends_with(".html")) {
        return "text/html";
    }
    return "text/plain";
}

std::optional<std::string> ReadWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

std::string PathOfTarget(const std::string& target) {
    const std::string scheme = "http://";
    if (target.compare(0, scheme.size(), scheme) != 0) {
        return target;
    }
    const std::size_t slash = target.find('/', scheme.size());
    return slash == std::string::npos ? "/" : target.substr(slash);
}

std::optional<std::string> FileBelowRoot(const std::string& root, const std::string& path) {
    if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos ||
        path.find('\\') != std::string::npos) {
        return std::nullopt;
    }
    const std::filesystem::path relative = std::filesystem::path(path.substr(1));
    for (const auto& part : relative) {
        if (part == ".." || part == ".") {
            return std::nullopt;
        }
    }
    const std::filesystem::path file = std::filesystem::path(root) / relative;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return std::nullopt;
    }
    return file.string();
}

void Responder::WaitForStop() const {
    while (!stopping_) {
        std::this_thread::sleep_for(kHoldPause);
    }
}

Fault Responder::FaultFor(const std::string& path) {
    const auto found = options_.pathFaults.find(path);
    if (found == options_.pathFaults.end()) {
        return options_.fault;
    }
    const std::lock_guard lock(mutex_);
    const std::vector<Fault>& turns = found->second;
    return turns[requestsByPath_[path]++ % turns.size()];
}

std::string Responder::FileFor(const std::string& path) {
    const auto found = options_.servedFiles.find(path);
    if (found == options_.servedFiles.end()) {
        return path;
    }
    const std::lock_guard lock(mutex_);
    const std::vector<std::string>& turns = found->second;
    return turns[servedByPath_[path]++ % turns.size()];
}

void Responder::Answer(const httplib::Request& request, httplib::Response& response) {
    // cpp-httplib keeps the query apart; the path of a proxy request still names the host.
    const std::string path = PathOfTarget(request.path);
    const Fault fault = FaultFor(path);
    if (fault == Fault::NotFound || fault == Fault::ServerError) {
        response.status = fault == Fault::NotFound ? 404 : 500;
        response.set_content(kHtmlErrorPage, "text/html");
        return;
    }
    if (fault == Fault::Silent) {
        WaitForStop();
        response.status = 503;
        return;
    }
    if (fault == Fault::Redirect) {
        response.set_redirect(path);
        return;
    }
    if (fault == Fault::Html) {
        response.status = 200;
        response.set_content(kHtmlErrorPage, "text/html");
        return;
    }
    const std::optional<std::string> file = FileBelowRoot(options_.root, FileFor(path));
    const std::optional<std::string> body = file ? ReadWhole(*file) : std::nullopt;
    if (!body) {
        response.status = 404;
        response.set_content(kHtmlErrorPage, "text/html");
        return;
    }
    const auto bytes = std::make_shared<const std::string>(*body);
    const std::string type = ContentType(path);
    response.status = 200;
    switch (fault) {
        case Fault::Short:
            // The whole length is announced, half of it is sent, then the connection closes.
            response.set_content_provider(
                bytes->size(), type,
                [bytes](std::size_t offset, std::size_t /*length*/, httplib::DataSink& sink) {
                    const std::size_t half = bytes->size() / 2;
                    if (offset < half) {
                        sink.write(bytes->data() + offset, half - offset);
                        return true;
                    }
                    return false;
                });
            break;
        case Fault::Chunked:
            response.set_chunked_content_provider(
                type, [bytes](std::size_t offset, httplib::DataSink& sink) {
                    if (offset < bytes->size()) {
                        sink.write(bytes->data() + offset,
                                   std::min<std::size_t>(1024, bytes->size() - offset));
                    } else {
                        sink.done();
                    }
                    return true;
                });
            break;
        case Fault::Slow:
            response.set_content_provider(
                bytes->size(), type,
                [bytes](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                    std::this_thread::sleep_for(kSlowPause);
                    const std::size_t piece = std::max<std::size_t>(1, bytes->size() / kSlowPieces);
                    sink.write(bytes->data() + offset, std::min(length, piece));
                    return true;
                });
            break;
        case Fault::Stall:
            // The whole length is announced, half of it is sent, then the connection stays
            // open with nothing more until the server stops.
            response.set_content_provider(
                bytes->size(), type,
                [this, bytes](std::size_t offset, std::size_t /*length*/, httplib::DataSink& sink) {
                    const std::size_t half = bytes->size() / 2;
                    if (offset < half) {
                        sink.write(bytes->data() + offset, half - offset);
                        return true;
                    }
                    while (!stopping_ && sink.is_writable()) {
                        std::this_thread::sleep_for(kHoldPause);
                    }
                    return false;
                });
            break;
        case Fault::Trickle:
            // The whole length is announced, then one byte at a time with a pause after each,
            // until the body is sent or the server stops.
            response.set_content_provider(
                bytes->size(), type,
                [this, bytes](std::size_t offset, std::size_t /*length*/, httplib::DataSink& sink) {
                    sink.write(bytes->data() + offset, 1);
                    const auto next = std::chrono::steady_clock::now() + kTricklePause;
                    while (!stopping_ && sink.is_writable() &&
                           std::chrono::steady_clock::now() < next) {
                        std::this_thread::sleep_for(kHoldPause);
                    }
                    return !stopping_;
                });
            break;
        case Fault::Cached:
            response.set_header("Cache-Control", "public, max-age=" + std::to_string(kYearSeconds));
            response.set_header("Expires", HttpDateAYearAhead());
            response.set_content(*bytes, type);
            break;
        default:
            response.set_content(*bytes, type);
            break;
    }
}

}  // namespace update_server

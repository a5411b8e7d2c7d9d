// Modules open documents with xdg-open. A stand-in of that name (bin/shell-stand-in/xdg-open,
// first on the PATH) appends its argument to a log that the runner reads back.
//
// The log is a file without a name, reached by the stand-in through /proc: a runner that ends
// without its destructors (a kill fault, a crash) leaves nothing behind in the temporary folder.
#include "tools/velmora-host/shell_interception.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/native_path.h"

namespace velmora_host {

namespace {

int OpenNamelessLog() {
    const std::string folder = std::filesystem::temp_directory_path().string();
    const int log = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (log >= 0) {
        return log;
    }
    // A file system without O_TMPFILE: a named file, unnamed at once.
    std::string pattern = folder + "/velmora-host-opened-XXXXXX";
    const int named = mkstemp(pattern.data());
    if (named >= 0) {
        unlink(pattern.c_str());
    }
    return named;
}

class StandIn {
public:
    StandIn() : log_(OpenNamelessLog()) {
        std::error_code error;
        const std::filesystem::path standIns =
            std::filesystem::read_symlink("/proc/self/exe", error).parent_path() /
            "shell-stand-in";
        if (log_ < 0 || error) {
            return;
        }
        const std::string logPath = "/proc/" + std::to_string(getpid()) + "/fd/" +
                                    std::to_string(log_);
        setenv("VELMORA_HOST_OPENED", logPath.c_str(), 1);
        const char* path = std::getenv("PATH");
        const std::string searched = standIns.string() + ":" + (path != nullptr ? path : "");
        setenv("PATH", searched.c_str(), 1);
    }
    ~StandIn() {
        if (log_ >= 0) {
            close(log_);
        }
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    // What the stand-in appended since the last call.
    std::vector<std::string> Take() {
        std::string text;
        char buffer[4096];
        for (;;) {
            const ssize_t count = log_ >= 0 ? pread(log_, buffer, sizeof buffer, taken_) : 0;
            if (count <= 0) {
                break;
            }
            text.append(buffer, static_cast<std::size_t>(count));
            taken_ += count;
        }
        std::vector<std::string> opened;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find('\n', start);
            const std::string line = text.substr(start, end - start);
            opened.push_back(line.starts_with('/') ? platform::LocationTextFromNativePath(line)
                                                   : line);
            start = end == std::string::npos ? text.size() : end + 1;
        }
        return opened;
    }

private:
    int log_;
    off_t taken_ = 0;
};

StandIn* standIn = nullptr;

}  // namespace

void InterceptShellOpens() {
    static StandIn instance;
    standIn = &instance;
}

void InterceptShellOpensOf(const std::string& /*moduleNativePath*/) {}

std::vector<std::string> TakeShellOpens() {
    return standIn != nullptr ? standIn->Take() : std::vector<std::string>{};
}

}  // namespace velmora_host

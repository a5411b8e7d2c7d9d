// Modules open documents with xdg-open. A stand-in of that name, first on the PATH, appends its
// argument to a log that the runner reads back.
#include "tools/velmora-host/shell_interception.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/native_path.h"

namespace velmora_host {

namespace {

class StandIn {
public:
    StandIn() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-host-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        folder_ = pattern;
        log_ = folder_ / "opened.log";
        const std::filesystem::path script = folder_ / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << log_.string() << "'\n";
        chmod(script.c_str(), 0755);
        const char* path = std::getenv("PATH");
        const std::string searched = folder_.string() + ":" + (path != nullptr ? path : "");
        setenv("PATH", searched.c_str(), 1);
    }
    ~StandIn() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    std::vector<std::string> Take() const {
        std::vector<std::string> opened;
        std::ifstream log(log_);
        for (std::string line; std::getline(log, line);) {
            opened.push_back(line.starts_with('/') ? platform::LocationTextFromNativePath(line)
                                                   : line);
        }
        log.close();
        std::error_code ignored;
        std::filesystem::remove(log_, ignored);
        return opened;
    }

private:
    std::filesystem::path folder_;
    std::filesystem::path log_;
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

#include "tools/velmora-host/options.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace velmora_host {

namespace {

constexpr const char* kUsage =
    "usage: velmora-host [--addons DIR] [--user-dir DIR] [--app-code N] [--main-version N]\n"
    "                    [--script FILE] [--really-open] [--trace-entry-points]\n";

template <typename Integer>
bool ParseInteger(std::string_view text, Integer& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int index = 1; index < argc; ++index) {
        const std::string_view option = argv[index];
        const bool hasValue = index + 1 < argc;
        const std::string_view value = hasValue ? argv[index + 1] : "";
        bool valid = true;
        if (option == "--really-open") {
            options.reallyOpen = true;
            continue;
        }
        if (option == "--trace-entry-points") {
            options.traceEntryPoints = true;
            continue;
        }
        if (option == "--addons" && hasValue) {
            options.addonsFolder = value;
        } else if (option == "--user-dir" && hasValue) {
            options.userFolder = value;
        } else if (option == "--script" && hasValue) {
            options.scriptFile = value;
        } else if (option == "--app-code" && hasValue) {
            valid = ParseInteger(value, options.applicationCode);
        } else if (option == "--main-version" && hasValue) {
            valid = ParseInteger(value, options.mainVersion);
        } else {
            valid = false;
        }
        if (!valid) {
            std::fprintf(stderr, "velmora-host: bad option %s\n%s", argv[index], kUsage);
            return std::nullopt;
        }
        ++index;
    }
    return options;
}

}  // namespace velmora_host

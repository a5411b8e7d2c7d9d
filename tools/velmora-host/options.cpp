#include "tools/velmora-host/options.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace velmora_host {

namespace {

constexpr const char* kUsage =
    "usage: velmora-host [--addons DIR] [--user-dir DIR] [--app-code N] [--main-version N]\n"
    "                    [--script FILE] [--output FILE] [--really-open]\n"
    "                    [--trace-entry-points] [--date DD/MM/YYYY]\n";

template <typename Integer>
bool ParseInteger(std::string_view text, Integer& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// DD/MM/YYYY of a calendar day.
std::optional<Day> ParseDay(std::string_view text) {
    Day day{};
    if (text.size() != 10 || text[2] != '/' || text[5] != '/' ||
        !ParseInteger(text.substr(0, 2), day.day) || !ParseInteger(text.substr(3, 2), day.month) ||
        !ParseInteger(text.substr(6, 4), day.year) || day.year < 1971 || day.month < 1 ||
        day.month > 12 || day.day < 1) {
        return std::nullopt;
    }
    constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (day.year % 4 == 0 && day.year % 100 != 0) || day.year % 400 == 0;
    if (day.day > kDays[day.month - 1] || (day.month == 2 && day.day == 29 && !leap)) {
        return std::nullopt;
    }
    return day;
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
        } else if (option == "--output" && hasValue) {
            options.outputFile = value;
        } else if (option == "--app-code" && hasValue) {
            valid = ParseInteger(value, options.applicationCode);
        } else if (option == "--main-version" && hasValue) {
            valid = ParseInteger(value, options.mainVersion);
        } else if (option == "--date" && hasValue) {
            options.date = ParseDay(value);
            valid = options.date.has_value();
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

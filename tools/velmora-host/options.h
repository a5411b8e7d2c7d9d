// The runner's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velmora_host {

// A calendar day given on the command line.
struct Day {
    int year;
    int month;
    int day;
};

struct Options {
    std::string addonsFolder;  // default: "addons" beside the runner
    std::string userFolder;    // default: a fresh folder the host makes
    std::int32_t applicationCode = 0;
    std::int16_t mainVersion = 16;
    std::string scriptFile;  // default: standard input
    std::string outputFile;  // the transcript; default: standard output
    bool reallyOpen = false;
    bool traceEntryPoints = false;
    std::optional<Day> date;  // the modules' clock shows this day; default: the system's
};

// The options, or none after printing what is wrong to the error output.
std::optional<Options> ParseOptions(int argc, char** argv);

}  // namespace velmora_host

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

#include "acapi/db.h"
#include "host/host_control.h"

namespace {
std::mutex debugMutex;
std::string debugOutput;
}  // namespace

extern "C" void DBPrintf(const char* format, ...) {
    char line[4096];
    va_list arguments;
    va_start(arguments, format);
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized): va_start is just above
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    const std::lock_guard lock(debugMutex);
    debugOutput += line;
}

namespace host {

std::string TakeDebugOutput() {
    const std::lock_guard lock(debugMutex);
    std::string taken;
    taken.swap(debugOutput);
    return taken;
}

}  // namespace host

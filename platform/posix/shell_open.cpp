#include "platform/shell_open.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>  // environ

#include <cstdio>
#include <string>

#include "platform/native_path.h"

namespace platform {

namespace {

bool IsLocation(const std::string& text) {
    return text.size() >= 3 && text[1] == ':' && text[2] == '\\';
}

}  // namespace

// xdg-open without a shell; it returns once it has handed the file on, so waiting keeps the
// order of what the two programs print.
void OpenInShell(const char* pathOrAddress) {
    const std::string text = pathOrAddress != nullptr ? pathOrAddress : "";
    std::string argument = IsLocation(text) ? NativePathFromLocationText(text) : text;
    char program[] = "xdg-open";
    char* arguments[] = {program, argument.data(), nullptr};
    std::fflush(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, program, nullptr, nullptr, arguments, environ) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
    }
}

}  // namespace platform

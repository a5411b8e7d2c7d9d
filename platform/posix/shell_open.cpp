#include "platform/shell_open.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>  // environ

#include <cstdio>
#include <string>

#include "platform/native_path.h"

namespace platform {

namespace {

// xdg-open without a shell; it returns once it has handed the file on, so waiting keeps the
// order of what the two programs print. True when it says it did.
bool Spawn(std::string argument) {
    char program[] = "xdg-open";
    char* arguments[] = {program, argument.data(), nullptr};
    std::fflush(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, program, nullptr, nullptr, arguments, environ) != 0) {
        return false;
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool OpenInShell(const char* address) {
    return Spawn(address != nullptr ? address : "");
}

void OpenFileInShell(const std::string& utf8LocationText) {
    static_cast<void>(Spawn(NativePathFromLocationText(utf8LocationText)));
}

}  // namespace platform

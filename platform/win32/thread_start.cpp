#include "platform/thread_start.h"

#include <windows.h>

#include <memory>

namespace platform {

namespace {

struct Start {
    ThreadEntry entry;
    void* argument;
};

DWORD WINAPI RunThread(LPVOID parameter) {
    const std::unique_ptr<Start> start(static_cast<Start*>(parameter));
    start->entry(start->argument);
    return 0;
}

}  // namespace

// Nobody waits for the thread, so its handle is closed at once.
bool StartDetachedThread(ThreadEntry entry, void* argument) {
    auto start = std::make_unique<Start>(Start{entry, argument});
    HANDLE thread = CreateThread(nullptr, 0, RunThread, start.get(), 0, nullptr);
    if (thread == nullptr) {
        return false;
    }
    start.release();  // the thread owns it now
    CloseHandle(thread);
    return true;
}

}  // namespace platform

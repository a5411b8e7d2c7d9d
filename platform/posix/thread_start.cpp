#include "platform/thread_start.h"

#include <pthread.h>

#include <memory>

namespace platform {

namespace {

struct Start {
    ThreadEntry entry;
    void* argument;
};

void* Run(void* raw) {
    const std::unique_ptr<Start> start(static_cast<Start*>(raw));
    start->entry(start->argument);
    return nullptr;
}

}  // namespace

// pthread_create itself rather than std::thread: the thread is then made through the calling
// module's own import, which a host (or a profiler) can see.
bool StartDetachedThread(ThreadEntry entry, void* argument) {
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) {
        return false;
    }
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    auto start = std::make_unique<Start>(Start{entry, argument});
    pthread_t thread;
    const bool started = pthread_create(&thread, &attributes, &Run, start.get()) == 0;
    pthread_attr_destroy(&attributes);
    if (started) {
        static_cast<void>(start.release());  // the thread owns it now
    }
    return started;
}

}  // namespace platform

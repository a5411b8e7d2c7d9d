#include "host/main_thread_queue.h"

#include <deque>
#include <mutex>
#include <utility>

#include "host/host_control.h"

namespace host {

namespace {

struct PendingWork {
    API_AddonContext owner;
    std::function<void()> work;
};

std::mutex queueMutex;
std::deque<PendingWork> queue;

}  // namespace

void PostToMainThread(API_AddonContext owner, std::function<void()> work) {
    const std::lock_guard lock(queueMutex);
    queue.push_back({owner, std::move(work)});
}

void DiscardPendingWork(API_AddonContext owner) {
    const std::lock_guard lock(queueMutex);
    std::erase_if(queue, [owner](const PendingWork& pending) { return pending.owner == owner; });
}

// The lock is not held while work runs: the work may post more.
std::size_t RunMainThreadQueue() {
    std::size_t ran = 0;
    for (;;) {
        std::function<void()> work;
        {
            const std::lock_guard lock(queueMutex);
            if (queue.empty()) {
                return ran;
            }
            work = std::move(queue.front().work);
            queue.pop_front();
        }
        work();
        ++ran;
    }
}

}  // namespace host

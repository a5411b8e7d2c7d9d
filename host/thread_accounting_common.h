// The counters of host/thread_accounting, shared by its ELF and PE twins.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

namespace host::thread_accounting {

// Counters by module base address; a counter outlives its module (threads may still hold it).
inline std::mutex& CounterMutex() {
    static std::mutex mutex;
    return mutex;
}
inline std::map<const void*, std::shared_ptr<std::atomic<std::int64_t>>>& Counters() {
    static std::map<const void*, std::shared_ptr<std::atomic<std::int64_t>>> counters;
    return counters;
}
inline std::shared_ptr<std::atomic<std::int64_t>> CounterOf(const void* base, bool create) {
    const std::lock_guard lock(CounterMutex());
    auto& counters = Counters();
    const auto found = counters.find(base);
    if (found != counters.end()) {
        return found->second;
    }
    if (!create) {
        return nullptr;
    }
    auto counter = std::make_shared<std::atomic<std::int64_t>>(0);
    counters.emplace(base, counter);
    return counter;
}
inline std::int64_t Total() {
    const std::lock_guard lock(CounterMutex());
    std::int64_t total = 0;
    for (const auto& [base, counter] : Counters()) {
        total += counter->load();
    }
    return total;
}

}  // namespace host::thread_accounting

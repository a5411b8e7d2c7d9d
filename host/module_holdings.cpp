#include "host/module_holdings.h"

#include <atomic>
#include <cstdint>
#include <iterator>
#include <map>
#include <mutex>

#include "platform/dynamic_library.h"

namespace host {

namespace {

thread_local const void* scopedTaker = nullptr;

// Never destroyed: modules linked into a program give back what their static objects hold after
// the program's own statics are gone.
std::mutex& HoldingsMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::map<const void*, Holdings>& AllHoldings() {
    static auto* holdings = new std::map<const void*, Holdings>;
    return *holdings;
}

// Finding the module of an address asks the system's loader, which is slow next to an
// allocation; the few call sites of the host's operations are remembered per thread until a
// module is unloaded and its addresses may come to mean another module.
std::atomic<std::uint64_t> unloads{0};

// A small table indexed by the call site's address: plain data, so that a thread's copy needs no
// construction.
struct IdentityCache {
    struct Entry {
        const void* caller;
        const void* identity;
    };
    std::uint64_t unloadsSeen;
    Entry entries[64];
};
thread_local IdentityCache identityCache{};

const void* CachedModuleIdentityOf(const void* caller) {
    IdentityCache& cache = identityCache;
    const std::uint64_t now = unloads.load(std::memory_order_acquire);
    if (cache.unloadsSeen != now) {
        cache = {};
        cache.unloadsSeen = now;
    }
    const auto slot = (reinterpret_cast<std::uintptr_t>(caller) >> 2) % std::size(cache.entries);
    IdentityCache::Entry& entry = cache.entries[slot];
    if (entry.caller != caller || caller == nullptr) {
        entry = {caller, platform::ModuleIdentityOf(caller)};
    }
    return entry.identity;
}

void Add(const void* taker, Holding holding, std::int64_t count, std::int64_t bytes) {
    const std::lock_guard lock(HoldingsMutex());
    Holdings& holdings = AllHoldings()[taker];
    switch (holding) {
        case Holding::Handle:
            holdings.handles += count;
            holdings.handleBytes += bytes;
            return;
        case Holding::Pointer:
            holdings.pointers += count;
            holdings.pointerBytes += bytes;
            return;
        case Holding::File:
            holdings.files += count;
            return;
    }
}

}  // namespace

const void* TakerAt(const void* caller) {
    return scopedTaker != nullptr ? scopedTaker : CachedModuleIdentityOf(caller);
}

TakingFor::TakingFor(const void* caller) : previous_(scopedTaker) {
    scopedTaker = TakerAt(caller);
}

TakingFor::~TakingFor() {
    scopedTaker = previous_;
}

void CountTaken(const void* taker, Holding holding, std::int64_t bytes) {
    Add(taker, holding, 1, bytes);
}

void CountGivenBack(const void* taker, Holding holding, std::int64_t bytes) {
    Add(taker, holding, -1, -bytes);
}

void CountResized(const void* taker, std::int64_t change) {
    Add(taker, Holding::Handle, 0, change);
}

Holdings HoldingsOf(const void* module) {
    const std::lock_guard lock(HoldingsMutex());
    const auto found = AllHoldings().find(module);
    return found != AllHoldings().end() ? found->second : Holdings{};
}

void ForgetHoldings(const void* module) {
    unloads.fetch_add(1, std::memory_order_release);
    const std::lock_guard lock(HoldingsMutex());
    AllHoldings().erase(module);
}

}  // namespace host

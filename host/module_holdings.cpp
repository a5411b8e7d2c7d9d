#include "host/module_holdings.h"

#include <map>
#include <mutex>

#include "platform/dynamic_library.h"

namespace host {

namespace {

thread_local const void* scopedTaker = nullptr;

std::mutex& HoldingsMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<const void*, Holdings>& AllHoldings() {
    static std::map<const void*, Holdings> holdings;
    return holdings;
}

std::int64_t& Counter(Holdings& holdings, Holding holding) {
    switch (holding) {
        case Holding::Handle:
            return holdings.handles;
        case Holding::Pointer:
            return holdings.pointers;
        case Holding::File:
            break;
    }
    return holdings.files;
}

void Add(const void* taker, Holding holding, std::int64_t change) {
    const std::lock_guard lock(HoldingsMutex());
    Counter(AllHoldings()[taker], holding) += change;
}

}  // namespace

const void* TakerAt(const void* caller) {
    return scopedTaker != nullptr ? scopedTaker : platform::ModuleIdentityOf(caller);
}

TakingFor::TakingFor(const void* caller) : previous_(scopedTaker) {
    scopedTaker = TakerAt(caller);
}

TakingFor::~TakingFor() {
    scopedTaker = previous_;
}

void CountTaken(const void* taker, Holding holding) {
    Add(taker, holding, 1);
}

void CountGivenBack(const void* taker, Holding holding) {
    Add(taker, holding, -1);
}

Holdings HoldingsOf(const void* module) {
    const std::lock_guard lock(HoldingsMutex());
    const auto found = AllHoldings().find(module);
    return found != AllHoldings().end() ? found->second : Holdings{};
}

void ForgetHoldings(const void* module) {
    const std::lock_guard lock(HoldingsMutex());
    AllHoldings().erase(module);
}

}  // namespace host

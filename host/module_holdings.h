// What each module holds of the host: memory handles, pointers and open files, counted for the
// module whose code took them and given back by whoever releases them. The host reads a module's
// counts once it has been unloaded and its static objects are gone.
#pragma once

#include <cstdint>

namespace host {

enum class Holding { Handle, Pointer, File };

// The module a holding made now counts for: the one a TakingFor scope of this thread names, or
// else the module whose code holds `caller` (the return address of the host's exported function).
const void* TakerAt(const void* caller);

// Holdings the host makes inside one of its operations, for the module that called it, count
// for that module. `caller` is the operation's return address.
class TakingFor {
public:
    explicit TakingFor(const void* caller);
    TakingFor(const TakingFor&) = delete;
    TakingFor& operator=(const TakingFor&) = delete;
    ~TakingFor();

private:
    const void* previous_;
};

void CountTaken(const void* taker, Holding holding);
void CountGivenBack(const void* taker, Holding holding);

struct Holdings {
    std::int64_t handles = 0;
    std::int64_t pointers = 0;
    std::int64_t files = 0;
};
Holdings HoldingsOf(const void* module);
// After a module has been unloaded: a module loaded later at the same place starts from zero.
void ForgetHoldings(const void* module);

}  // namespace host

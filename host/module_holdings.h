// What each module holds of the host: memory handles and pointers with their bytes, and open
// files, counted for the module whose code took them and given back by whoever releases them. The
// host reads a module's counts once it has been unloaded and its static objects are gone.
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

// `bytes`: the size of the memory taken or given back (0 for a file).
void CountTaken(const void* taker, Holding holding, std::int64_t bytes);
void CountGivenBack(const void* taker, Holding holding, std::int64_t bytes);
// A handle's block resized by `change` bytes.
void CountResized(const void* taker, std::int64_t change);

struct Holdings {
    std::int64_t handles = 0;
    std::int64_t pointers = 0;
    std::int64_t files = 0;
    std::int64_t handleBytes = 0;
    std::int64_t pointerBytes = 0;
};
Holdings HoldingsOf(const void* module);
// After a module has been unloaded: a module loaded later at the same place starts from zero.
void ForgetHoldings(const void* module);

}  // namespace host

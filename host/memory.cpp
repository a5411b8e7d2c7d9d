// Memory of the emulated host. A handle points at its block's master pointer. Every resize
// moves the block (unless a timing program asks for growth in place), so code that keeps a pointer
// into a handle across a resize is caught by the address sanitizer. Every handle and plain
// allocation remembers the module that took it, so that what a module leaves behind can be told at
// its unload.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

#include "acapi/gs_memory.h"
#include "host/host_control.h"
#include "host/module_holdings.h"

namespace {

struct HandleBlock {
    char* data;  // the master pointer: a GSHandle points here
    GSSize size;
    std::int32_t state;
    const void* taker;
    GSSize room;  // bytes allocated, at least `size`
};

// In front of every plain allocation; as large as the strictest alignment, so that the bytes
// handed out keep the system allocator's alignment.
struct alignas(alignof(std::max_align_t)) PlainHeader {
    const void* taker;
    std::size_t size;
};

std::atomic<std::int64_t> allocationsBeforeFailure{-1};
std::atomic<bool> handlesGrowInPlace{false};
std::atomic<std::int64_t> liveHandles{0};
std::atomic<std::int64_t> livePointers{0};
std::atomic<std::int64_t> liveObjects{0};
std::atomic<std::int64_t> liveArrays{0};

bool AllocationAllowed() {
    std::int64_t left = allocationsBeforeFailure.load();
    while (left >= 0) {
        if (left == 0) {
            return false;
        }
        if (allocationsBeforeFailure.compare_exchange_weak(left, left - 1)) {
            return true;
        }
    }
    return true;
}

char* AllocateBytes(GSSize size, bool clear) {
    if (size < 0 || !AllocationAllowed()) {
        return nullptr;
    }
    // A block of 0 bytes still has an address of its own.
    void* bytes = clear ? std::calloc(1, static_cast<std::size_t>(size) + 1)
                        : std::malloc(static_cast<std::size_t>(size) + 1);
    return static_cast<char*>(bytes);
}

HandleBlock* BlockOf(GSHandle handle) {
    return reinterpret_cast<HandleBlock*>(handle);
}

PlainHeader* HeaderOf(void* pointer) {
    return reinterpret_cast<PlainHeader*>(static_cast<char*>(pointer) - sizeof(PlainHeader));
}

void* AllocatePlain(std::size_t size, bool clear, const void* caller,
                    std::atomic<std::int64_t>& counter) {
    char* bytes = AllocateBytes(static_cast<GSSize>(size + sizeof(PlainHeader)), clear);
    if (bytes == nullptr) {
        return nullptr;
    }
    auto* header = new (bytes) PlainHeader{host::TakerAt(caller), size};
    host::CountTaken(header->taker, host::Holding::Pointer, static_cast<std::int64_t>(size));
    ++counter;
    return bytes + sizeof(PlainHeader);
}

void ReleasePlain(void* pointer, std::atomic<std::int64_t>& counter) {
    if (pointer != nullptr) {
        PlainHeader* header = HeaderOf(pointer);
        host::CountGivenBack(header->taker, host::Holding::Pointer,
                             static_cast<std::int64_t>(header->size));
        --counter;
        std::free(header);
    }
}

}  // namespace

namespace host {

void SetHandlesGrowInPlace(bool inPlace) {
    handlesGrowInPlace = inPlace;
}

}  // namespace host

extern "C" {

GSHandle BMAllocateHandle(GSSize size, std::int32_t flags, std::int16_t /*reserved*/) {
    char* data = AllocateBytes(size, (flags & ALLOCATE_CLEAR) != 0);
    if (data == nullptr) {
        return nullptr;
    }
    auto* block = new (std::nothrow)
        HandleBlock{data, size, 0, host::TakerAt(__builtin_return_address(0)), size};
    if (block == nullptr) {
        std::free(data);
        return nullptr;
    }
    host::CountTaken(block->taker, host::Holding::Handle, size);
    ++liveHandles;
    return &block->data;
}

GSHandle BMReallocHandle(GSHandle handle, GSSize newSize, std::int32_t flags,
                         std::int16_t /*reserved*/) {
    if (handle == nullptr) {
        return nullptr;
    }
    HandleBlock* block = BlockOf(handle);
    const bool clear = (flags & ALLOCATE_CLEAR) != 0;
    if (handlesGrowInPlace && newSize >= 0 && newSize <= block->room) {
        if (!AllocationAllowed()) {
            return nullptr;
        }
        if (clear && newSize > block->size) {
            std::memset(block->data + block->size, 0,
                        static_cast<std::size_t>(newSize - block->size));
        }
        host::CountResized(block->taker, newSize - block->size);
        block->size = newSize;
        return handle;
    }
    // Growing in place, the block takes twice its room, so that a block grown step by step is
    // copied a logarithmic number of times, as a system heap does.
    const GSSize room = handlesGrowInPlace ? std::max(newSize, 2 * block->room) : newSize;
    char* data = AllocateBytes(room, clear);
    if (data == nullptr) {
        return nullptr;
    }
    std::memcpy(data, block->data, static_cast<std::size_t>(std::min(block->size, newSize)));
    std::free(block->data);
    host::CountResized(block->taker, newSize - block->size);
    block->data = data;
    block->size = newSize;
    block->room = room;
    return handle;
}

GSSize BMGetHandleSize(GSHandle handle) {
    return handle != nullptr ? BlockOf(handle)->size : 0;
}

std::int32_t BMModifyHandleState(GSHandle handle, std::int32_t operation, std::int32_t state) {
    if (handle == nullptr) {
        return 0;
    }
    HandleBlock* block = BlockOf(handle);
    const std::int32_t previous = block->state;
    switch (operation) {
        case HANDLE_OP_LOCK:
            block->state = 1;
            break;
        case HANDLE_OP_UNLOCK:
            block->state = 0;
            break;
        case HANDLE_OP_SETSTATE:
            block->state = state;
            break;
        default:
            break;
    }
    return previous;
}

GSErrCode BMKillHandle(GSHandle* handle) {
    if (handle == nullptr || *handle == nullptr) {
        return NoError;
    }
    HandleBlock* block = BlockOf(*handle);
    host::CountGivenBack(block->taker, host::Holding::Handle, block->size);
    std::free(block->data);
    delete block;
    --liveHandles;
    *handle = nullptr;
    return NoError;
}

GSPtr BMAllocatePtr(GSSize size, std::int32_t flags, std::int16_t /*reserved*/) {
    if (size < 0) {
        return nullptr;
    }
    return static_cast<GSPtr>(AllocatePlain(static_cast<std::size_t>(size),
                                            (flags & ALLOCATE_CLEAR) != 0,
                                            __builtin_return_address(0), livePointers));
}

void BMKillPtr(GSPtr* pointer) {
    if (pointer != nullptr) {
        ReleasePlain(*pointer, livePointers);
        *pointer = nullptr;
    }
}

void BNFillMemory(void* destination, GSSize count, std::uint8_t value) {
    if (destination != nullptr && count > 0) {
        std::memset(destination, value, static_cast<std::size_t>(count));
    }
}

}  // extern "C"

namespace GS {

void* NewOperator(std::size_t size) {
    return AllocatePlain(size, false, __builtin_return_address(0), liveObjects);
}
void DeleteOperator(void* pointer) {
    ReleasePlain(pointer, liveObjects);
}
void* NewArrayOperator(std::size_t size) {
    return AllocatePlain(size, false, __builtin_return_address(0), liveArrays);
}
void DeleteArrayOperator(void* pointer) {
    ReleasePlain(pointer, liveArrays);
}

}  // namespace GS

namespace host {

void FailAllocationsAfter(std::int64_t count) {
    allocationsBeforeFailure = count;
}

LiveCounts CountLiveAllocations() {
    return {liveHandles.load(), livePointers.load(), liveObjects.load(), liveArrays.load()};
}

}  // namespace host

// The host's memory services: relocatable handles and plain allocations.
#pragma once

#include "ac_export.h"
#include "ac_types.h"

// Handle flags and states.
constexpr std::int32_t ALLOCATE_CLEAR = 1;
constexpr std::int32_t ALLOCATE_MOVABLE = 2;
constexpr std::int32_t HANDLE_OP_LOCK = 1;      // locks; answers the previous state
constexpr std::int32_t HANDLE_OP_UNLOCK = 3;    // unlocks; answers the previous state
constexpr std::int32_t HANDLE_OP_SETSTATE = 6;  // sets the given state; answers the previous one

extern "C" {
// A handle of `size` bytes, or null when the host has no memory. `reserved` must be 0.
ACAPI_HOST_API GSHandle BMAllocateHandle(GSSize size, std::int32_t flags, std::int16_t reserved);
// The handle resized (the block may move); null when the host cannot resize it, in which case
// the old handle stays as it was.
ACAPI_HOST_API GSHandle BMReallocHandle(GSHandle handle, GSSize newSize, std::int32_t flags,
                                        std::int16_t reserved);
ACAPI_HOST_API GSSize BMGetHandleSize(GSHandle handle);
ACAPI_HOST_API std::int32_t BMModifyHandleState(GSHandle handle, std::int32_t operation,
                                                std::int32_t state);
// Releases the handle and sets *handle to null; a null handle is no error.
ACAPI_HOST_API GSErrCode BMKillHandle(GSHandle* handle);
ACAPI_HOST_API GSPtr BMAllocatePtr(GSSize size, std::int32_t flags, std::int16_t reserved);
ACAPI_HOST_API void BMKillPtr(GSPtr* pointer);
ACAPI_HOST_API void BNFillMemory(void* destination, GSSize count, std::uint8_t value);
}

namespace GS {
// Plain allocations for objects and arrays; null when the host has no memory.
ACAPI_HOST_API void* NewOperator(std::size_t size);
ACAPI_HOST_API void DeleteOperator(void* pointer);
ACAPI_HOST_API void* NewArrayOperator(std::size_t size);
ACAPI_HOST_API void DeleteArrayOperator(void* pointer);
}  // namespace GS

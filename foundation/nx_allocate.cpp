#include "foundation/nx_allocate.h"

#include "shell/host_interface.h"

namespace {
[[noreturn]] void RaiseOutOfMemory() {
    throw GS::OutOfMemoryException(nullptr, 0, GS::NoCause);
}
}  // namespace

char* NX_AllocateArray(std::size_t size) {
    void* array = GS::NewArrayOperator(size);
    if (array == nullptr) {
        RaiseOutOfMemory();
    }
    return static_cast<char*>(array);
}

void NX_ReleaseArray(char* array) {
    GS::DeleteArrayOperator(array);
}

void* NX_Allocate(std::size_t size) {
    void* pointer = GS::NewOperator(size);
    if (pointer == nullptr) {
        RaiseOutOfMemory();
    }
    return pointer;
}

void NX_Release(void* pointer) {
    GS::DeleteOperator(pointer);
}

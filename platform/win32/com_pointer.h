// A COM interface pointer released on every way out.
#pragma once

namespace platform {

template <typename Interface>
struct ComPointer {
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() {
        if (pointer != nullptr) {
            pointer->Release();
        }
    }
    Interface* pointer = nullptr;
};

}  // namespace platform

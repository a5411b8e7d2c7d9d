#include "foundation/nx_string_buffer.h"

#include <cstring>

#include "foundation/nx_allocate.h"

namespace {

constexpr std::int32_t kInitialCapacity = 256;
constexpr int kMaximumGrowthSteps = 49;

// Grows by the factor until the text fits; a buffer that the steps cannot bring there (a
// factor too small for its size) jumps straight to what is needed.
std::int32_t GrownCapacity(std::int32_t capacity, double growth, std::int32_t needed) {
    std::int64_t grown = capacity;
    for (int step = 0; step < kMaximumGrowthSteps; ++step) {
        grown += static_cast<std::int64_t>(static_cast<double>(grown) * growth);
        if (grown >= needed) {
            return static_cast<std::int32_t>(grown);
        }
    }
    return needed;
}

}  // namespace

NX_StringBuffer::NX_StringBuffer()
    : buffer(NX_AllocateArray(kInitialCapacity)),
      capacity(kInitialCapacity),
      length(0),
      growth(0.1) {
    buffer[0] = '\0';
}

NX_StringBuffer::~NX_StringBuffer() {
    NX_ReleaseArray(buffer);
}

bool NX_StringBuffer::Append(const char* text) {
    if (capacity == 0 || buffer == nullptr || text == nullptr) {
        return false;
    }
    const auto textLength = static_cast<std::int32_t>(std::strlen(text));
    const std::int32_t needed = length + textLength + 1;
    if (needed > capacity) {
        const std::int32_t grown = GrownCapacity(capacity, growth, needed);
        char* array = NX_AllocateArray(static_cast<std::size_t>(grown));
        std::memcpy(array, buffer, static_cast<std::size_t>(length) + 1);
        NX_ReleaseArray(buffer);
        buffer = array;
        capacity = grown;
    }
    std::memcpy(buffer + length, text, static_cast<std::size_t>(textLength) + 1);
    length = needed - 1;
    return true;
}

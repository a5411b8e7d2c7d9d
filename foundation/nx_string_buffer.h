// A growable text buffer for texts built from many pieces (file names, addresses, report lines).
#pragma once

#include <cstdint>

class NX_StringBuffer {
public:
    NX_StringBuffer();
    NX_StringBuffer(const NX_StringBuffer&) = delete;
    NX_StringBuffer& operator=(const NX_StringBuffer&) = delete;
    ~NX_StringBuffer();

    // Appends text, growing the array by the growth factor when it must. False, with nothing
    // done, when the buffer has no array or text is null.
    bool Append(const char* text);
    const char* GetText() const { return buffer != nullptr ? buffer : ""; }
    std::int32_t GetCapacity() const { return capacity; }
    std::int32_t GetLength() const { return length; }

private:
    char* buffer;
    std::int32_t capacity;
    std::int32_t length;
    double growth;
};

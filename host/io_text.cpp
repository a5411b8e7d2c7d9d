#include "host/io_text.h"

#include <cerrno>
#include <new>
#include <vector>

#include "acapi/gs_memory.h"

#include "platform/native_path.h"

namespace host {

std::string Utf8Of(const GS::UniString& text) {
    const std::size_t length = text.ToCStr(nullptr, 0, GS::CC_UTF8);
    std::vector<char> bytes(length + 1, '\0');
    text.ToCStr(bytes.data(), bytes.size(), GS::CC_UTF8);
    return std::string(bytes.data(), length);
}

std::string NativePathOf(const char* locationText) {
    return platform::NativePathFromLocationText(locationText != nullptr ? locationText : "");
}

GSErrCode FileErrorFromErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return IOErr_FileNotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return IOErr_AccessDenied;
        case ENOSPC:
            return IOErr_DiskFull;
        default:
            return IOErr_General;
    }
}

void* HostObjectMemory(std::size_t size) {
    void* memory = GS::NewOperator(size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    return memory;
}

}  // namespace host

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

namespace {

// The length of the UTF-8 sequence at `text`, or 0 when it is ill-formed.
std::size_t SequenceLength(const unsigned char* text) {
    const unsigned char lead = text[0];
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text[1] < low || text[1] > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (text[i] < 0x80 || text[i] > 0xBF) {
            return 0;
        }
    }
    return length;
}

bool IsMultiByteUtf8(const char* text) {
    bool multiByte = false;
    for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p != 0;) {
        const std::size_t length = SequenceLength(p);
        if (length == 0) {
            return false;
        }
        multiByte = multiByte || length > 1;
        p += length;
    }
    return multiByte;
}

}  // namespace

std::string Utf8OfModuleText(const char* text) {
    if (text == nullptr) {
        return {};
    }
    return IsMultiByteUtf8(text) ? std::string(text) : Utf8Of(GS::UniString(text));
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
        case EEXIST:
            return IOErr_FileExists;
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

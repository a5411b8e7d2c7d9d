// The host's picture conversions: JPEG and PNG data become a 24-bit bitmap file image in a new
// handle; the image library tells types and pixel sizes.
#include "host/picture_conversion.h"

#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "acapi/goodies.h"
#include "acapi/gs_memory.h"
#include "acapi/gx.h"
#include "host/host_control.h"
#include "platform/image_decoding.h"

namespace host {

namespace {

constexpr std::int32_t kDibFormat = 1;
constexpr std::int32_t kJpegFormat = 4;
constexpr std::int32_t kPngFormat = 8;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

void Write16(char* target, std::uint32_t value) {
    target[0] = static_cast<char>(value & 0xFF);
    target[1] = static_cast<char>(value >> 8 & 0xFF);
}

void Write32(char* target, std::uint32_t value) {
    Write16(target, value & 0xFFFF);
    Write16(target + 2, value >> 16);
}

std::uint32_t Read32(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

const std::uint8_t* BytesOf(GSHandle handle) {
    return reinterpret_cast<const std::uint8_t*>(*handle);
}

std::size_t SizeOf(GSHandle handle) {
    return handle != nullptr && *handle != nullptr
               ? static_cast<std::size_t>(BMGetHandleSize(handle))
               : 0;
}

struct Conversions {
    std::mutex mutex;
    std::vector<std::string> asked;
};

Conversions& AskedConversions() {
    static Conversions conversions;
    return conversions;
}

void RecordConversion(std::string source) {
    Conversions& conversions = AskedConversions();
    const std::lock_guard lock(conversions.mutex);
    conversions.asked.push_back(std::move(source));
}

// A bottom-up 24-bit bitmap file image of the decoded pixels.
GSHandle MakeDib(const platform::DecodedImage& image) {
    const std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) / 4 * 4;
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(image.height);
    const std::size_t total = kFileHeaderSize + kInfoHeaderSize + pixelBytes;
    GSHandle handle = BMAllocateHandle(static_cast<GSSize>(total), 0, 0);
    if (handle == nullptr) {
        return nullptr;
    }
    char* bytes = *handle;
    std::memset(bytes, 0, total);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Write32(bytes + 2, static_cast<std::uint32_t>(total));
    Write32(bytes + 10, kFileHeaderSize + kInfoHeaderSize);
    char* info = bytes + kFileHeaderSize;
    Write32(info, kInfoHeaderSize);
    Write32(info + 4, static_cast<std::uint32_t>(image.width));
    Write32(info + 8, static_cast<std::uint32_t>(image.height));
    Write16(info + 12, 1);
    Write16(info + 14, 24);
    Write32(info + 20, static_cast<std::uint32_t>(pixelBytes));
    char* pixels = info + kInfoHeaderSize;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* source = image.rgb.data() + static_cast<std::size_t>(y) *
                                                            static_cast<std::size_t>(image.width) *
                                                            3;
        char* target = pixels + static_cast<std::size_t>(image.height - 1 - y) * stride;
        for (std::size_t x = 0; x < static_cast<std::size_t>(image.width); ++x) {
            target[3 * x] = static_cast<char>(source[3 * x + 2]);
            target[3 * x + 1] = static_cast<char>(source[3 * x + 1]);
            target[3 * x + 2] = static_cast<char>(source[3 * x]);
        }
    }
    return handle;
}

GSHandle DecodeToDib(GSHandle source) {
    const std::size_t size = SizeOf(source);
    platform::DecodedImage image;
    if (size == 0 || !platform::DecodeImage(BytesOf(source), size, image)) {
        return nullptr;
    }
    return MakeDib(image);
}

GSErrCode ConvertPicture(void* par1, void* par2) {
    auto* source = static_cast<API_PictureHandle*>(par1);
    auto* result = static_cast<API_PictureHandle*>(par2);
    if (source == nullptr || result == nullptr || result->storageFormat != kDibFormat) {
        return APIERR_BADPARS;
    }
    RecordConversion("format " + std::to_string(source->storageFormat));
    result->pictHdl = DecodeToDib(source->pictHdl);
    return result->pictHdl != nullptr ? NoError : APIERR_GENERAL;
}

GSErrCode ConvertMimePicture(void* par1) {
    auto* record = static_cast<API_MimePicture*>(par1);
    if (record == nullptr || record->sourceMime == nullptr || record->targetMime == nullptr) {
        return APIERR_BADPARS;
    }
    const std::string_view from = record->sourceMime;
    RecordConversion(std::string(from));
    if (std::string_view(record->targetMime) != "image/x-bmp" ||
        (from != "image/jpeg" && from != "image/png")) {
        return APIERR_NOTSUPPORTED;
    }
    record->targetHandle = DecodeToDib(record->sourceHandle);
    return record->targetHandle != nullptr ? NoError : APIERR_GENERAL;
}

// The size of a bitmap file image whose header lies within the data.
bool DibSize(const std::uint8_t* bytes, std::size_t size, std::int32_t* width,
             std::int32_t* height) {
    if (size < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M' ||
        Read32(bytes + kFileHeaderSize) < kInfoHeaderSize) {
        return false;
    }
    const auto w = static_cast<std::int32_t>(Read32(bytes + kFileHeaderSize + 4));
    const auto h = static_cast<std::int32_t>(Read32(bytes + kFileHeaderSize + 8));
    if (w <= 0 || w > platform::kMaxDecodedSide || h == 0 || h < -platform::kMaxDecodedSide ||
        h > platform::kMaxDecodedSide) {
        return false;
    }
    *width = w;
    *height = h < 0 ? -h : h;
    return true;
}

}  // namespace

std::vector<std::string> TakePictureConversions() {
    Conversions& conversions = AskedConversions();
    const std::lock_guard lock(conversions.mutex);
    return std::exchange(conversions.asked, {});
}

GSErrCode PictureGoodies(GSType code, void* par1, void* par2) {
    if (code == kGoodiesConvertPicture) {
        return ConvertPicture(par1, par2);
    }
    if (code == kGoodiesConvertMimePicture) {
        return ConvertMimePicture(par1);
    }
    return APIERR_NOTSUPPORTED;
}

}  // namespace host

namespace GX {

std::int32_t ImageBase::GetType(GSHandle data) {
    const std::size_t size = host::SizeOf(data);
    const std::uint8_t* bytes = size != 0 ? host::BytesOf(data) : nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (bytes == nullptr) {
        return 0;
    }
    if (host::DibSize(bytes, size, &width, &height)) {
        return host::kDibFormat;
    }
    if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
        return host::kJpegFormat;
    }
    if (size >= 8 && std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0) {
        return host::kPngFormat;
    }
    return 0;
}

bool ImageBase::GetInfo(GSHandle data, std::int32_t* width, std::int32_t* height) {
    const std::size_t size = host::SizeOf(data);
    if (size == 0 || width == nullptr || height == nullptr) {
        return false;
    }
    if (host::DibSize(host::BytesOf(data), size, width, height)) {
        return true;
    }
    int w = 0;
    int h = 0;
    if (!platform::ReadImageSize(host::BytesOf(data), size, w, h)) {
        return false;
    }
    *width = w;
    *height = h;
    return true;
}

}  // namespace GX

#include "about/picture.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "acapi/goodies.h"
#include "acapi/gx.h"
#include "foundation/nx_files.h"
#include "foundation/nx_location.h"
#include "platform/drawing.h"
#include "shell/host_interface.h"

namespace {

struct ImageTypeRow {
    std::int32_t type;
    const char* extensions[3];
    const char* mime;
};

constexpr ImageTypeRow kImageTypes[] = {
    {1, {"bmp", "dib", nullptr}, "image/x-bmp"},
    {2, {"gif", nullptr, nullptr}, "image/gif"},
    {3, {"tif", "tiff", nullptr}, "image/tiff"},
    {4, {"jpg", "jpeg", nullptr}, "image/jpeg"},
    {5, {"pic", "pict", "pct"}, "image/pict"},
    {6, {"sgi", "rgb", nullptr}, "image/x-sgi"},
    {7, {"psd", nullptr, nullptr}, "image/x-photoshop"},
    {8, {"png", nullptr, nullptr}, "image/png"},
    {9, {"pnt", "pntg", "mac"}, "image/x-macpaint"},
    {10, {"tga", "targa", nullptr}, "image/x-targa"},
    {11, {"qti", "qtif", nullptr}, "image/x-quicktime"},
    {12, {"mpo", nullptr, nullptr}, ""},
};

const char* MimeOfType(std::int32_t type) {
    for (const ImageTypeRow& row : kImageTypes) {
        if (row.type == type) {
            return row.mime;
        }
    }
    return "";
}

std::int32_t FormatOfType(std::int32_t type) {
    return type >= 1 && type <= 5 ? type : 0;
}

void KillHandle(GSHandle& handle) {
    if (handle != nullptr) {
        BMKillHandle(&handle);
        handle = nullptr;
    }
}

constexpr std::int32_t kDibFormat = 1;
constexpr std::int32_t kJpegType = 4;
constexpr std::int32_t kPngType = 8;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int32_t kMaxDibSide = 16384;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
// Pictures are decoded on the host's main thread. The banner's item is 350 by 150 pixels; a
// picture of more pixels than this is refused before it is decoded, which keeps its decoding to
// a few tens of milliseconds.
constexpr std::int64_t kMaximumPicturePixels = std::int64_t{2048} * 2048;

std::uint32_t ReadU32(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

// A DIB whose every size and offset lies within its handle.
struct CheckedDib {
    const unsigned char* info = nullptr;
    const unsigned char* bits = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

bool CheckDib(GSHandle handle, CheckedDib& dib) {
    if (handle == nullptr || *handle == nullptr) {
        return false;
    }
    const GSSize size = BMGetHandleSize(handle);
    if (size < static_cast<GSSize>(kFileHeaderSize + kInfoHeaderSize)) {
        return false;
    }
    const auto* info = reinterpret_cast<const unsigned char*>(*handle) + kFileHeaderSize;
    const std::uint64_t available = static_cast<std::uint64_t>(size) - kFileHeaderSize;
    const std::uint32_t headerSize = ReadU32(info);
    const auto width = static_cast<std::int32_t>(ReadU32(info + 4));
    const auto height = static_cast<std::int32_t>(ReadU32(info + 8));
    const std::uint32_t bitCount = info[14] | info[15] << 8;
    const std::uint32_t compression = ReadU32(info + 16);
    const std::uint32_t imageSize = ReadU32(info + 20);
    const std::uint32_t coloursUsed = ReadU32(info + 32);
    if (headerSize < kInfoHeaderSize || headerSize > available || width <= 0 ||
        width > kMaxDibSide || height == 0 || height < -kMaxDibSide || height > kMaxDibSide) {
        return false;
    }
    const bool knownDepth = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                            bitCount == 24 || bitCount == 32;
    const bool runLength =
        (compression == kRle8 && bitCount == 8) || (compression == kRle4 && bitCount == 4);
    if (!knownDepth || (compression != 0 && compression != 3 && !runLength) ||
        (compression == 3 && bitCount != 16 && bitCount != 32)) {
        return false;
    }
    // A compressed bitmap is stored bottom-up, names its stream's size, and is decoded whole
    // before it is drawn, so its pixels are held to the same bound as a picture file's.
    if (runLength &&
        (height < 0 || std::int64_t{width} * height > kMaximumPicturePixels || imageSize == 0)) {
        return false;
    }
    // The three masks follow a 40-byte header and are part of the longer ones (52 bytes and up);
    // a header size between the two leaves them nowhere.
    if (compression == 3 && headerSize > kInfoHeaderSize && headerSize < kInfoHeaderSize + 12) {
        return false;
    }
    if (bitCount <= 8 && coloursUsed > (1u << bitCount)) {
        return false;
    }
    if (bitCount > 8 && coloursUsed > 256) {
        return false;
    }
    const std::uint64_t tableEntries =
        coloursUsed != 0 ? coloursUsed : (bitCount <= 8 ? 1u << bitCount : 0);
    const std::uint64_t masks = compression == 3 && headerSize == kInfoHeaderSize ? 12 : 0;
    const std::uint64_t bitsOffset = headerSize + 4 * tableEntries + masks;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
    const std::uint64_t bitsSize = runLength ? imageSize : stride * rows;
    if (bitsOffset > available || bitsSize > available - bitsOffset) {
        return false;
    }
    dib.info = info;
    dib.bits = info + bitsOffset;
    dib.width = width;
    dib.height = static_cast<std::int32_t>(rows);
    return true;
}

// The whole file in a new handle; null when it cannot be read or is empty.
GSHandle ReadWholeFile(const NX_Location& path) {
    IO::File* file = nullptr;
    std::uint64_t length = 0;
    if (OpenFile(file, path, 0) != 0 || GetFileLength(file, length) != 0 || length == 0 ||
        length > 0x7FFFFFFFu) {
        CloseFile(file);
        return nullptr;
    }
    GSHandle data = BMAllocateHandle(static_cast<GSSize>(length), 0, 0);
    std::uint64_t read = 0;
    const bool whole =
        data != nullptr && ReadBytes(file, *data, length, &read) == 0 && read == length;
    CloseFile(file);
    if (!whole) {
        KillHandle(data);
    }
    return data;
}

// Whether the host tells the picture's size from its header and it is within the bound.
bool IsKnownAndSmallEnough(GSHandle data) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    return GX::ImageBase::GetInfo(data, &width, &height) && width > 0 && height != 0 &&
           std::int64_t{width} * std::abs(std::int64_t{height}) <= kMaximumPicturePixels;
}

// JPEG or PNG by the file's first bytes, whatever its name says; 0 for anything else.
std::int32_t WebPictureType(GSHandle data) {
    const GSSize size = BMGetHandleSize(data);
    const auto* bytes = reinterpret_cast<const unsigned char*>(*data);
    if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
        return kJpegType;
    }
    if (size >= 8 && std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0) {
        return kPngType;
    }
    return 0;
}

}  // namespace

Picture::Picture(Picture&& other) noexcept
    : format(std::exchange(other.format, 0)), handle(std::exchange(other.handle, nullptr)) {}

Picture& Picture::operator=(Picture&& other) noexcept {
    if (this != &other) {
        Replace(std::exchange(other.format, 0), std::exchange(other.handle, nullptr));
    }
    return *this;
}

Picture::~Picture() {
    Reset();
}

void Picture::Reset() {
    Replace(0, nullptr);
}

void Picture::Replace(std::int32_t newFormat, GSHandle newHandle) {
    if (handle != newHandle) {
        KillHandle(handle);
    }
    format = newFormat;
    handle = newHandle;
}

std::int32_t ImageTypeFromExtension(const char* extension) {
    if (extension == nullptr) {
        return 0;
    }
    for (const ImageTypeRow& row : kImageTypes) {
        for (const char* candidate : row.extensions) {
            if (candidate != nullptr && NX_String::EqualNoCase(candidate, extension)) {
                return row.type;
            }
        }
    }
    return 0;
}

std::int32_t DetectImageType(const NX_String& path, GSHandle data) {
    if (data != nullptr && *data != nullptr && BMGetHandleSize(data) >= 10) {
        const char* bytes = *data;
        if (std::memcmp(bytes, "BM", 2) == 0) {
            return 1;
        }
        if (std::memcmp(bytes, "GIF", 3) == 0) {
            return 2;
        }
        if (std::memcmp(bytes + 6, "JFIF", 4) == 0) {
            return 4;
        }
        const bool intelOrMotorola = bytes[0] == 'I' || bytes[0] == 'M';
        if (!intelOrMotorola && std::memcmp(bytes, "8BPS", 4) == 0) {
            return 7;
        }
        if (intelOrMotorola && bytes[1] == bytes[0]) {
            return 3;
        }
        if (std::memcmp(bytes + 4, "idat", 4) == 0) {
            return 11;
        }
    }
    if (path.IsNull()) {
        return 0;
    }
    NX_String name = path;
    if (name.EndsWith("\\")) {
        name = name.Mid(0, NX_String::Length(name.GetText()) - 1);
    }
    return ImageTypeFromExtension(GetFileExtension(name).GetText());
}

bool ConvertToDIB(std::int32_t format, GSHandle handle, GSHandle* out) {
    if (out == nullptr) {
        return false;
    }
    API_PictureHandle source{format, handle};
    API_PictureHandle result{kDibFormat, nullptr};
    const GSErrCode error = HostInterface::Goodies(kGoodiesConvertPicture, &source, &result);
    *out = result.pictHdl;
    return error == NoError && result.pictHdl != nullptr;
}

bool ConvertByMime(std::int32_t fromType, GSHandle handle, std::int32_t toType, GSHandle* out) {
    if (out == nullptr) {
        return false;
    }
    API_MimePicture record{MimeOfType(fromType), handle, MimeOfType(toType), nullptr, 0, -1};
    const GSErrCode error = HostInterface::Goodies(kGoodiesConvertMimePicture, &record);
    *out = record.targetHandle;
    return error == NoError && record.targetHandle != nullptr;
}

bool LoadImageFile(const NX_Location& path, Picture& out, bool asDIB) {
    out.Reset();
    GSHandle data = ReadWholeFile(path);
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (data == nullptr ||
        (GX::ImageBase::GetInfo(data, &width, &height) &&
         std::int64_t{width} * std::abs(std::int64_t{height}) > kMaximumPicturePixels)) {
        KillHandle(data);
        return false;
    }
    const std::int32_t type = DetectImageType(path.GetPath(), data);
    std::int32_t format = FormatOfType(type);
    if (type == kPngType) {
        GSHandle converted = nullptr;
        if (!ConvertByMime(kPngType, data, kDibFormat, &converted)) {
            KillHandle(converted);
            KillHandle(data);
            return false;
        }
        KillHandle(data);
        data = converted;
        format = kDibFormat;
    }
    if (!asDIB || format == kDibFormat) {
        out.Replace(asDIB ? kDibFormat : format, data);
        return true;
    }
    GSHandle converted = nullptr;
    if (!ConvertToDIB(format, data, &converted)) {
        KillHandle(converted);
        KillHandle(data);
        return false;
    }
    KillHandle(data);
    out.Replace(kDibFormat, converted);
    return true;
}

bool LoadImageAsDIB(const NX_Location& path, Picture& out) {
    if (!LoadImageFile(path, out, false) || out.handle == nullptr) {
        return false;
    }
    if (out.format == kDibFormat) {
        return true;
    }
    GSHandle converted = nullptr;
    if (!ConvertByMime(DetectImageType(path.GetPath(), out.handle), out.handle, kDibFormat,
                       &converted)) {
        KillHandle(converted);
        return false;
    }
    out.Replace(kDibFormat, converted);
    return true;
}

bool LoadWebPictureAsDIB(const NX_Location& path, Picture& out) {
    out.Reset();
    GSHandle data = ReadWholeFile(path);
    const std::int32_t type = data != nullptr ? WebPictureType(data) : 0;
    GSHandle converted = nullptr;
    if (type == 0 || !IsKnownAndSmallEnough(data) ||
        !ConvertByMime(type, data, kDibFormat, &converted)) {
        KillHandle(converted);
        KillHandle(data);
        return false;
    }
    KillHandle(data);
    out.Replace(kDibFormat, converted);
    return true;
}

bool PicturePixelSize(const Picture& picture, std::int32_t* width, std::int32_t* height) {
    if (picture.handle == nullptr || width == nullptr || height == nullptr) {
        return false;
    }
    return GX::ImageBase::GetInfo(picture.handle, width, height);
}

bool DrawDIB(void* drawContext, const PictureRect& rect, const Picture& picture) {
    GSHandle temporary = nullptr;
    GSHandle dibHandle = picture.handle;
    if (picture.format != kDibFormat) {
        if (!ConvertToDIB(picture.format, picture.handle, &temporary)) {
            KillHandle(temporary);
            return false;
        }
        dibHandle = temporary;
    }
    CheckedDib dib;
    bool drawn = false;
    if (CheckDib(dibHandle, dib)) {
        const int width = std::abs(rect.right - rect.left) + 1;
        const int height = std::abs(rect.bottom - rect.top) + 1;
        drawn = platform::StretchDib(drawContext, rect.left, rect.top, width, height, dib.info,
                                     dib.bits, dib.width, dib.height);
    }
    KillHandle(temporary);
    return drawn;
}

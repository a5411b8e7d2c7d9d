// Any bytes as the downloaded banner: read from its file, typed, converted by the host's JPEG and
// PNG decoders to a bitmap and drawn, as the results window does, and its header size read alone.
// A conversion either fails and hands back nothing, or gives a bitmap of the header's size,
// within the decoders' pixel cap, that draws. As the banner, nothing but JPEG or PNG data whose
// header gives its size is ever handed to a decoder.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "about/picture.h"
#include "acapi/gs_memory.h"
#include "acapi/gx.h"
#include "host/host_control.h"
#include "platform/drawing.h"
#include "platform/image_decoding.h"
#include "platform/image_header.h"
#include "platform/native_path.h"
#include "shell/host_interface.h"
#include "update/download_file_names.h"

namespace {

constexpr std::int32_t kDibFormat = 1;
constexpr std::int32_t kJpegFormat = 4;

std::string bannerFile;
std::string bannerLocation;

void Prepare() {
    HostInterface::SetFunctionTable(host::FunctionTable());
    char folder[] = "/tmp/velmora-picture-fuzz-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::abort();
    }
    bannerFile = std::string(folder) + "/" + kBannerFileName;
    bannerLocation = platform::LocationTextFromNativePath(bannerFile);
}

void WriteBanner(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(bannerFile.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::abort();
    }
}

bool IsBitmapFileImage(const std::uint8_t* data, std::size_t size) {
    return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

bool IsJpegOrPng(const std::uint8_t* data, std::size_t size) {
    return (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) ||
           (size >= 8 && std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) == 0);
}

// A decoded picture: the size its header states, within the cap, and drawable.
void CheckDecoded(const Picture& picture, std::int32_t headerWidth, std::int32_t headerHeight) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (picture.format != kDibFormat || !PicturePixelSize(picture, &width, &height) ||
        width != headerWidth || height != headerHeight ||
        !platform::IsDecodableSize(static_cast<std::uint64_t>(width),
                                   static_cast<std::uint64_t>(height))) {
        __builtin_trap();
    }
    platform::ItemSurface surface(5, 4);
    if (!DrawDIB(surface.DrawContext(), {0, 0, 3, 4}, picture)) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (bannerFile.empty()) {
        Prepare();
    }
    WriteBanner(data, size);
    const NX_String bannerPath(bannerLocation.c_str());
    Picture source;
    GSHandle handle = BMAllocateHandle(static_cast<GSSize>(size), 0, 0);
    if (handle == nullptr) {
        return 0;
    }
    if (size != 0) {
        std::memcpy(*handle, data, size);
    }
    source.Replace(0, handle);
    DetectImageType(bannerPath, source.handle);
    GX::ImageBase::GetType(source.handle);
    std::int32_t headerWidth = 0;
    std::int32_t headerHeight = 0;
    const bool sized = GX::ImageBase::GetInfo(source.handle, &headerWidth, &headerHeight);
    // The header reader that guards the Windows decoder reads the same size as the decoders.
    std::uint32_t statedWidth = 0;
    std::uint32_t statedHeight = 0;
    if (sized && !IsBitmapFileImage(data, size) &&
        platform::ReadHeaderSize(data, size, statedWidth, statedHeight) &&
        (statedWidth != static_cast<std::uint32_t>(headerWidth) ||
         statedHeight != static_cast<std::uint32_t>(headerHeight))) {
        __builtin_trap();
    }

    Picture loaded;
    const bool loadedAsDib = LoadImageAsDIB(NX_Location(bannerPath.GetText()), loaded);
    if (!loadedAsDib && loaded.format == kDibFormat && loaded.handle != nullptr) {
        __builtin_trap();
    }
    // A bitmap file image is taken as it is and checked when drawn; the others are decoded.
    if (loadedAsDib && !IsBitmapFileImage(data, size)) {
        if (!sized) {
            __builtin_trap();
        }
        CheckDecoded(loaded, headerWidth, headerHeight);
    }

    host::TakePictureConversions();
    Picture banner;
    const bool bannerLoaded = LoadWebPictureAsDIB(NX_Location(bannerPath.GetText()), banner);
    const bool decodable = IsJpegOrPng(data, size) && sized;
    if ((!decodable && !host::TakePictureConversions().empty()) || (bannerLoaded && !decodable) ||
        (!bannerLoaded && banner.handle != nullptr)) {
        __builtin_trap();
    }
    if (bannerLoaded) {
        CheckDecoded(banner, headerWidth, headerHeight);
    }

    // A picture kept in its own format is converted for each drawing.
    GSHandle converted = nullptr;
    if (ConvertToDIB(kJpegFormat, source.handle, &converted)) {
        Picture picture;
        picture.Replace(kDibFormat, converted);
        CheckDecoded(picture, headerWidth, headerHeight);
    } else if (converted != nullptr) {
        __builtin_trap();
    }
    return 0;
}

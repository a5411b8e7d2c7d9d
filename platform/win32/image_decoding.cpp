#include "platform/image_decoding.h"

#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include "platform/image_header.h"
#include "platform/win32/com_pointer.h"

namespace platform {

namespace {

bool Decode(const std::uint8_t* data, std::size_t size, DecodedImage* image, int& width,
            int& height) {
    // The imaging component decodes the whole picture when it opens it: refuse a stated size
    // beyond the caps before it allocates for it.
    std::uint32_t statedWidth = 0;
    std::uint32_t statedHeight = 0;
    if (size > 0x7FFFFFFF || !ReadHeaderSize(data, size, statedWidth, statedHeight) ||
        !IsDecodableSize(statedWidth, statedHeight)) {
        return false;
    }
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool decoded = false;
    {
        ComPointer<IWICImagingFactory> factory;
        ComPointer<IWICStream> stream;
        ComPointer<IWICBitmapDecoder> decoder;
        ComPointer<IWICBitmapFrameDecode> frame;
        ComPointer<IWICFormatConverter> converter;
        UINT frameWidth = 0;
        UINT frameHeight = 0;
        const bool opened =
            SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_PPV_ARGS(&factory.pointer))) &&
            SUCCEEDED(factory.pointer->CreateStream(&stream.pointer)) &&
            SUCCEEDED(stream.pointer->InitializeFromMemory(const_cast<BYTE*>(data),
                                                           static_cast<DWORD>(size))) &&
            SUCCEEDED(factory.pointer->CreateDecoderFromStream(
                stream.pointer, nullptr, WICDecodeMetadataCacheOnDemand, &decoder.pointer)) &&
            SUCCEEDED(decoder.pointer->GetFrame(0, &frame.pointer)) &&
            SUCCEEDED(frame.pointer->GetSize(&frameWidth, &frameHeight)) &&
            IsDecodableSize(frameWidth, frameHeight);
        if (opened) {
            width = static_cast<int>(frameWidth);
            height = static_cast<int>(frameHeight);
            decoded = image == nullptr;
        }
        if (opened && image != nullptr &&
            SUCCEEDED(factory.pointer->CreateFormatConverter(&converter.pointer)) &&
            SUCCEEDED(converter.pointer->Initialize(frame.pointer, GUID_WICPixelFormat24bppRGB,
                                                    WICBitmapDitherTypeNone, nullptr, 0.0,
                                                    WICBitmapPaletteTypeCustom))) {
            image->width = width;
            image->height = height;
            image->rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
            const UINT stride = frameWidth * 3;
            decoded = SUCCEEDED(converter.pointer->CopyPixels(
                nullptr, stride, static_cast<UINT>(image->rgb.size()), image->rgb.data()));
        }
    }
    if (SUCCEEDED(initialised)) {
        CoUninitialize();
    }
    return decoded;
}

}  // namespace

bool DecodeImage(const std::uint8_t* data, std::size_t size, DecodedImage& image) {
    int width = 0;
    int height = 0;
    image = {};
    const bool decoded = Decode(data, size, &image, width, height);
    if (!decoded) {
        image = {};
    }
    return decoded;
}

bool ReadImageSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
    return Decode(data, size, nullptr, width, height);
}

}  // namespace platform

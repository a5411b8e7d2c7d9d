// PNG encoding through the Windows Imaging Component, into a memory stream.
#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include "host/png_writer.h"
#include "platform/win32/com_pointer.h"

namespace host {

namespace {

using platform::ComPointer;

// The bytes written into the stream so far.
std::vector<std::uint8_t> StreamBytes(IStream* stream) {
    STATSTG status{};
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME)) || status.cbSize.QuadPart > 0x7FFFFFFF) {
        return {};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.cbSize.QuadPart));
    LARGE_INTEGER start{};
    ULONG read = 0;
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) ||
        FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) ||
        read != bytes.size()) {
        return {};
    }
    return bytes;
}

std::vector<std::uint8_t> Encode(const Pixmap& picture) {
    // WIC's 32-bit BGRA order is the pixels' own order in memory on a little-endian machine.
    std::vector<std::uint32_t> pixels = picture.pixels;
    const UINT stride = static_cast<UINT>(picture.width) * 4;
    const UINT size = stride * static_cast<UINT>(picture.height);
    ComPointer<IWICImagingFactory> factory;
    ComPointer<IStream> stream;
    ComPointer<IWICBitmapEncoder> encoder;
    ComPointer<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    const bool encoded =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory.pointer))) &&
        SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream.pointer)) &&
        SUCCEEDED(
            factory.pointer->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder.pointer)) &&
        SUCCEEDED(encoder.pointer->Initialize(stream.pointer, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder.pointer->CreateNewFrame(&frame.pointer, nullptr)) &&
        SUCCEEDED(frame.pointer->Initialize(nullptr)) &&
        SUCCEEDED(frame.pointer->SetSize(static_cast<UINT>(picture.width),
                                         static_cast<UINT>(picture.height))) &&
        SUCCEEDED(frame.pointer->SetPixelFormat(&format)) &&
        IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) &&
        SUCCEEDED(frame.pointer->WritePixels(static_cast<UINT>(picture.height), stride, size,
                                             reinterpret_cast<BYTE*>(pixels.data()))) &&
        SUCCEEDED(frame.pointer->Commit()) && SUCCEEDED(encoder.pointer->Commit());
    return encoded ? StreamBytes(stream.pointer) : std::vector<std::uint8_t>{};
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Pixmap& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height) {
        return {};
    }
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<std::uint8_t> bytes = Encode(picture);
    if (SUCCEEDED(initialised)) {
        CoUninitialize();
    }
    return bytes;
}

}  // namespace host

// Pictures for dialogs: an image file read into a host handle, its type told from its bytes or
// name, converted by the host to a bitmap file image (DIB) and drawn scaled into an item.
#pragma once

#include <cstdint>

#include "acapi/ac_types.h"
#include "foundation/nx_location.h"
#include "foundation/nx_string.h"

// A picture and its format: 1 is a bitmap file image (DIB); owns its handle (BMKillHandle).
class Picture {
public:
    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;
    ~Picture();

    void Reset();
    // Releases the handle held and takes `newHandle` with `newFormat`.
    void Replace(std::int32_t newFormat, GSHandle newHandle);

    std::int32_t format = 0;
    GSHandle handle = nullptr;
};

// Image types: 1 BMP, 2 GIF, 3 TIFF, 4 JPEG, 5 PICT, 6 SGI, 7 Photoshop, 8 PNG, 9 MacPaint,
// 10 Targa, 11 QuickTime image, 12 MPO; 0 unknown. Types 1 to 5 are also picture formats.
std::int32_t ImageTypeFromExtension(const char* extension);
std::int32_t DetectImageType(const NX_String& path, GSHandle data);
bool LoadImageFile(const NX_Location& path, Picture& out, bool asDIB);
bool LoadImageAsDIB(const NX_Location& path, Picture& out);
// A picture from outside (the update banner) as a DIB: only a JPEG or PNG file, told by its first
// bytes whatever its name, whose pixel size the host reads from its header before anything is
// decoded, within the pixel bound. Anything else loads nothing and is never handed to a decoder.
bool LoadWebPictureAsDIB(const NX_Location& path, Picture& out);
bool ConvertToDIB(std::int32_t format, GSHandle handle, GSHandle* out);
bool ConvertByMime(std::int32_t fromType, GSHandle handle, std::int32_t toType, GSHandle* out);
// The pixel size of the picture through the host (GX::ImageBase::GetInfo); false if unknown.
bool PicturePixelSize(const Picture& picture, std::int32_t* width, std::int32_t* height);

struct PictureRect {
    short top, left, bottom, right;
};
// Draws the picture scaled into the rectangle of the item's drawing context; false, and
// nothing drawn, for a picture that is no sound bitmap.
bool DrawDIB(void* drawContext, const PictureRect& rect, const Picture& picture);

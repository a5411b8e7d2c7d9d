// Drawing into a dialog item's surface: the drawContext of DGUserUpdateData.
#pragma once

#include <cstdint>

namespace platform {

// Draws a device-independent bitmap stretched into the destination rectangle (x, y, width,
// height > 0), rows and columns dropped or repeated rather than blended. info is the bitmap
// information header followed by its masks or colour table, bits the pixel rows; srcWidth and
// srcHeight are the bitmap's size (height positive). The caller has checked the bitmap; false
// when the surface cannot take it.
bool StretchDib(void* drawContext, int x, int y, int width, int height, const void* info,
                const void* bits, int srcWidth, int srcHeight);

// A one-pixel opaque frame along the inclusive rectangle, clipped to the surface.
bool FrameRect(void* drawContext, int left, int top, int right, int bottom, std::uint8_t red,
               std::uint8_t green, std::uint8_t blue);

}  // namespace platform

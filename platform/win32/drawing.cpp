#include "platform/drawing.h"

#include <windows.h>

#include <algorithm>

namespace platform {

bool StretchDib(void* drawContext, int x, int y, int width, int height, const void* info,
                const void* bits, int srcWidth, int srcHeight) {
    auto* dc = static_cast<HDC>(drawContext);
    if (dc == nullptr || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) {
        return false;
    }
    // Colour-on-colour: rows and columns are dropped, not blended.
    SetStretchBltMode(dc, COLORONCOLOR);
    const int lines = StretchDIBits(dc, x, y, width, height, 0, 0, srcWidth, srcHeight, bits,
                                    static_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS, SRCCOPY);
    return lines > 0;
}

bool FrameRect(void* drawContext, int left, int top, int right, int bottom, std::uint8_t red,
               std::uint8_t green, std::uint8_t blue) {
    auto* dc = static_cast<HDC>(drawContext);
    if (dc == nullptr) {
        return false;
    }
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    HBRUSH brush = CreateSolidBrush(RGB(red, green, blue));
    if (brush == nullptr) {
        return false;
    }
    const RECT edges[] = {{left, top, right + 1, top + 1},
                          {left, bottom, right + 1, bottom + 1},
                          {left, top, left + 1, bottom + 1},
                          {right, top, right + 1, bottom + 1}};
    for (const RECT& edge : edges) {
        FillRect(dc, &edge, brush);
    }
    DeleteObject(brush);
    return true;
}

}  // namespace platform

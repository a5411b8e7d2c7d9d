// Drawing into a dialog item's surface: the drawContext of DGUserUpdateData.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

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

// The drawing surface of one user-drawn item, white when made: a memory device context on
// Windows, a DGFramebuffer elsewhere.
class ItemSurface {
public:
    ItemSurface(int pixelWidth, int pixelHeight);
    ItemSurface(const ItemSurface&) = delete;
    ItemSurface& operator=(const ItemSurface&) = delete;
    ~ItemSurface();

    void* DrawContext() const;
    // The pixels as 0xAARRGGBB, rows top-down; empty when the surface could not be made.
    std::vector<std::uint32_t> Pixels() const;
    int Width() const { return width; }
    int Height() const { return height; }

private:
    struct State;
    int width;
    int height;
    std::unique_ptr<State> state;
};

}  // namespace platform

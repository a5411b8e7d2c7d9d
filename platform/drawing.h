// Drawing into a dialog item's surface: the drawContext of DGUserUpdateData.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// A user-drawn item's surface where the system has no device context (what drawContext points
// to there): one pixel per item point, 0xAARRGGBB, rows top-down, stride in pixels.
struct Framebuffer {
    std::int32_t width;
    std::int32_t height;
    std::int32_t stride;
    std::uint32_t* pixels;
};

// Draws a device-independent bitmap stretched into the destination rectangle (x, y, width,
// height > 0) as the system's StretchDIBits does in colour-on-colour mode: each destination
// pixel shows one source pixel, rows and columns dropped or repeated, never blended. info is
// the bitmap information header followed by its masks or colour table, bits the pixel rows;
// srcWidth and srcHeight are the bitmap's size (height positive). A run-length compressed
// bitmap's stream is its header's image size of bytes; the pixels it skips are left as they were
// when the bitmap is drawn at its own size and take colour 0 when it is stretched. The caller has
// checked the bitmap's sizes; false for a depth or compression the system does not draw, or when
// the surface cannot take it.
bool StretchDib(void* drawContext, int x, int y, int width, int height, const void* info,
                const void* bits, int srcWidth, int srcHeight);

// A one-pixel opaque frame along the inclusive rectangle, clipped to the surface.
bool FrameRect(void* drawContext, int left, int top, int right, int bottom, std::uint8_t red,
               std::uint8_t green, std::uint8_t blue);

// The drawing surface of one user-drawn item, white when made: a memory device context on
// Windows, a Framebuffer elsewhere.
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

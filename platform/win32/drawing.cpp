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

struct ItemSurface::State {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* pixels = nullptr;
};

ItemSurface::ItemSurface(int pixelWidth, int pixelHeight)
    : width(std::max(pixelWidth, 0)),
      height(std::max(pixelHeight, 0)),
      state(std::make_unique<State>()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = this->width;
    info.bmiHeader.biHeight = -this->height;  // top-down, as the pixels are read back
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    state->dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    if (state->dc != nullptr && this->width > 0 && this->height > 0) {
        state->bitmap = CreateDIBSection(state->dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    if (state->bitmap != nullptr) {
        state->previous = SelectObject(state->dc, state->bitmap);
        state->pixels = static_cast<std::uint32_t*>(bits);
        std::fill_n(state->pixels, static_cast<std::size_t>(this->width) * this->height,
                    0xFFFFFFFFu);
    }
}

ItemSurface::~ItemSurface() {
    if (state->bitmap != nullptr) {
        SelectObject(state->dc, state->previous);
        DeleteObject(state->bitmap);
    }
    if (state->dc != nullptr) {
        DeleteDC(state->dc);
    }
}

void* ItemSurface::DrawContext() const {
    return state->dc;
}

std::vector<std::uint32_t> ItemSurface::Pixels() const {
    if (state->pixels == nullptr) {
        return {};
    }
    GdiFlush();
    const std::size_t count = static_cast<std::size_t>(width) * height;
    std::vector<std::uint32_t> pixels(state->pixels, state->pixels + count);
    // GDI leaves the alpha byte alone; every pixel of the surface is opaque.
    for (std::uint32_t& pixel : pixels) {
        pixel |= 0xFF000000u;
    }
    return pixels;
}

}  // namespace platform

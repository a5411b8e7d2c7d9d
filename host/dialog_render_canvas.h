// The picture a dialog is drawn into: rectangles, lines, pictures and glyph coverage, every
// stroke clipped to the current clip rectangle.
#pragma once

#include <cstdint>
#include <utility>

#include "host/pixmap.h"

namespace host {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int Right() const { return x + width; }  // exclusive
    int Bottom() const { return y + height; }
    bool Empty() const { return width <= 0 || height <= 0; }
    Rect Inset(int by) const { return {x + by, y + by, width - 2 * by, height - 2 * by}; }
    Rect Intersection(const Rect& other) const;
};

// 0xAARRGGBB, opaque.
constexpr std::uint32_t Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return 0xFF000000u | std::uint32_t{red} << 16 | std::uint32_t{green} << 8 | blue;
}

class Canvas {
public:
    Canvas(int width, int height, std::uint32_t background);

    void Fill(const Rect& area, std::uint32_t colour);
    // A one-pixel line along the inside of the rectangle.
    void Frame(const Rect& area, std::uint32_t colour);
    // The colour laid over one pixel with the given coverage (0 to 255).
    void Blend(int x, int y, std::uint32_t colour, std::uint8_t coverage);
    // The picture's opaque pixels with its top left corner at (x, y).
    void Draw(const Pixmap& picture, int x, int y);

    const Rect& Clip() const { return clip_; }
    Pixmap Take() { return std::move(picture_); }

    // Narrows the clip rectangle while it lives.
    class ClipScope {
    public:
        ClipScope(Canvas& canvas, const Rect& area);
        ClipScope(const ClipScope&) = delete;
        ClipScope& operator=(const ClipScope&) = delete;
        ~ClipScope() { canvas_.clip_ = saved_; }

    private:
        Canvas& canvas_;
        Rect saved_;
    };

private:
    std::uint32_t& At(int x, int y) {
        return picture_.pixels[static_cast<std::size_t>(y) * picture_.width + x];
    }

    Pixmap picture_;
    Rect clip_;
};

}  // namespace host

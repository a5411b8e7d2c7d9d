#include "host/dialog_render_canvas.h"

#include <algorithm>

namespace host {

Rect Rect::Intersection(const Rect& other) const {
    const int left = std::max(x, other.x);
    const int top = std::max(y, other.y);
    const int right = std::min(Right(), other.Right());
    const int bottom = std::min(Bottom(), other.Bottom());
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

Canvas::Canvas(int width, int height, std::uint32_t background)
    : picture_{std::max(width, 0), std::max(height, 0), {}},
      clip_{0, 0, picture_.width, picture_.height} {
    picture_.pixels.assign(static_cast<std::size_t>(picture_.width) * picture_.height, background);
}

void Canvas::Fill(const Rect& area, std::uint32_t colour) {
    const Rect visible = area.Intersection(clip_);
    for (int y = visible.y; y < visible.Bottom(); ++y) {
        for (int x = visible.x; x < visible.Right(); ++x) {
            At(x, y) = colour;
        }
    }
}

void Canvas::Frame(const Rect& area, std::uint32_t colour) {
    if (area.Empty()) {
        return;
    }
    Fill({area.x, area.y, area.width, 1}, colour);
    Fill({area.x, area.Bottom() - 1, area.width, 1}, colour);
    Fill({area.x, area.y, 1, area.height}, colour);
    Fill({area.Right() - 1, area.y, 1, area.height}, colour);
}

void Canvas::Blend(int x, int y, std::uint32_t colour, std::uint8_t coverage) {
    if (coverage == 0 || x < clip_.x || y < clip_.y || x >= clip_.Right() || y >= clip_.Bottom()) {
        return;
    }
    std::uint32_t& pixel = At(x, y);
    std::uint32_t blended = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t under = pixel >> shift & 0xFF;
        const std::uint32_t over = colour >> shift & 0xFF;
        blended |= (under * (255u - coverage) + over * coverage + 127u) / 255u << shift;
    }
    pixel = blended;
}

void Canvas::Draw(const Pixmap& picture, int x, int y) {
    if (picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height) {
        return;
    }
    const Rect visible = Rect{x, y, picture.width, picture.height}.Intersection(clip_);
    for (int row = visible.y; row < visible.Bottom(); ++row) {
        for (int column = visible.x; column < visible.Right(); ++column) {
            const std::uint32_t pixel =
                picture.pixels[static_cast<std::size_t>(row - y) * picture.width + (column - x)];
            Blend(column, row, pixel, static_cast<std::uint8_t>(pixel >> 24));
        }
    }
}

Canvas::ClipScope::ClipScope(Canvas& canvas, const Rect& area)
    : canvas_(canvas), saved_(canvas.clip_) {
    canvas_.clip_ = saved_.Intersection(area);
}

}  // namespace host

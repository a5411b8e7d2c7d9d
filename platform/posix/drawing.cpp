#include "platform/drawing.h"

#include <algorithm>
#include <cstddef>

#include "platform/dib_pixels.h"

namespace platform {

namespace {

std::uint32_t Read32(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

// Which source pixel each of `target` destination pixels along one axis shows, as the system
// picks them when it stretches without blending: a Bresenham walk that follows the line
// through the pixels' centres. Enlarged, a source pixel is repeated; reduced, each destination
// pixel takes the first of the source pixels that fall on it (rows) or the last (columns, which
// the system copies one over the other).
std::vector<int> Samples(int source, int target, bool lastOfEach) {
    std::vector<int> samples(static_cast<std::size_t>(target));
    const long long from = source;
    const long long to = target;
    if (to >= from) {
        long long error = 3 * from - 2 * to;
        int s = 0;
        for (int& sample : samples) {
            sample = s;
            if (error > 0) {
                ++s;
                error += 2 * from - 2 * to;
            } else {
                error += 2 * from;
            }
        }
        return samples;
    }
    long long error = 3 * to - 2 * from;
    std::size_t t = 0;
    bool first = true;
    for (int s = 0; s < source && t < samples.size(); ++s) {
        if (first || lastOfEach) {
            samples[t] = s;
        }
        first = false;
        if (error > 0) {
            ++t;
            first = true;
            error += 2 * to - 2 * from;
        } else {
            error += 2 * to;
        }
    }
    return samples;
}

}  // namespace

bool StretchDib(void* drawContext, int x, int y, int width, int height, const void* info,
                const void* bits, int srcWidth, int srcHeight) {
    auto* surface = static_cast<Framebuffer*>(drawContext);
    if (surface == nullptr || surface->pixels == nullptr || width <= 0 || height <= 0 ||
        srcWidth <= 0 || srcHeight <= 0) {
        return false;
    }
    const auto* header = static_cast<const unsigned char*>(info);
    if (!DibPixels::IsSupported(header[14] | header[15] << 8, Read32(header + 16))) {
        return false;
    }
    const DibPixels dib(header, static_cast<const unsigned char*>(bits), srcWidth, srcHeight);
    const std::vector<int> columns = Samples(srcWidth, width, true);
    const std::vector<int> rows = Samples(srcHeight, height, false);
    const int firstRow = std::max(0, -y);
    const int lastRow = std::min(height, surface->height - y);
    const int firstColumn = std::max(0, -x);
    const int lastColumn = std::min(width, surface->width - x);
    // Stretched, a compressed bitmap is drawn whole, what its stream skipped in colour 0; at its
    // own size the skipped pixels are left as they were.
    const bool ownSize = width == srcWidth && height == srcHeight;
    for (int row = firstRow; row < lastRow; ++row) {
        std::uint32_t* target = surface->pixels + static_cast<std::size_t>(y + row) *
                                                      static_cast<std::size_t>(surface->stride);
        const int sourceRow = rows[static_cast<std::size_t>(row)];
        for (int column = firstColumn; column < lastColumn; ++column) {
            const int sourceColumn = columns[static_cast<std::size_t>(column)];
            if (!ownSize || !dib.Skips(sourceColumn, sourceRow)) {
                target[x + column] = dib.At(sourceColumn, sourceRow);
            }
        }
    }
    return true;
}

bool FrameRect(void* drawContext, int left, int top, int right, int bottom, std::uint8_t red,
               std::uint8_t green, std::uint8_t blue) {
    auto* surface = static_cast<Framebuffer*>(drawContext);
    if (surface == nullptr || surface->pixels == nullptr) {
        return false;
    }
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    const std::uint32_t colour =
        0xFF000000u | std::uint32_t{red} << 16 | std::uint32_t{green} << 8 | blue;
    auto plot = [&](int px, int py) {
        if (px >= 0 && py >= 0 && px < surface->width && py < surface->height) {
            surface->pixels[static_cast<std::size_t>(py) * surface->stride + px] = colour;
        }
    };
    for (int px = std::max(left, 0); px <= std::min(right, surface->width - 1); ++px) {
        plot(px, top);
        plot(px, bottom);
    }
    for (int py = std::max(top, 0); py <= std::min(bottom, surface->height - 1); ++py) {
        plot(left, py);
        plot(right, py);
    }
    return true;
}

struct ItemSurface::State {
    std::vector<std::uint32_t> pixels;
    Framebuffer framebuffer{};
};

ItemSurface::ItemSurface(int pixelWidth, int pixelHeight)
    : width(std::max(pixelWidth, 0)),
      height(std::max(pixelHeight, 0)),
      state(std::make_unique<State>()) {
    state->pixels.assign(static_cast<std::size_t>(this->width) * this->height, 0xFFFFFFFFu);
    state->framebuffer = {this->width, this->height, this->width, state->pixels.data()};
}

ItemSurface::~ItemSurface() = default;

void* ItemSurface::DrawContext() const {
    return &state->framebuffer;
}

std::vector<std::uint32_t> ItemSurface::Pixels() const {
    return state->pixels;
}

}  // namespace platform

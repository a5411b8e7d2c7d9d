#include "platform/drawing.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "acapi/dg.h"

namespace platform {

namespace {

std::uint32_t ReadU32(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

std::uint16_t ReadU16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

// The 8-bit value of a masked channel, whatever the mask's width.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while ((mask >> shift & 1u) == 0) {
        ++shift;
    }
    const std::uint32_t maximum = mask >> shift;
    return ((pixel & mask) >> shift) * 255u / maximum;
}

struct DibLayout {
    const unsigned char* header;
    const unsigned char* bits;
    int width;
    int height;
    bool bottomUp;
    int bitCount;
    std::uint32_t compression;
    std::size_t stride;
    std::uint32_t colourCount;  // entries in the colour table
};

std::uint32_t SourcePixel(const DibLayout& dib, int column, int row) {
    const int storedRow = dib.bottomUp ? dib.height - 1 - row : row;
    const unsigned char* line = dib.bits + static_cast<std::size_t>(storedRow) * dib.stride;
    const std::uint32_t headerSize = ReadU32(dib.header);
    if (dib.bitCount <= 8) {
        const int perByte = 8 / dib.bitCount;
        const unsigned byte = line[column / perByte];
        const int shift = 8 - dib.bitCount * (column % perByte + 1);
        const unsigned index = byte >> shift & ((1u << dib.bitCount) - 1);
        // A table shorter than the depth allows: the indices past its end draw black and never
        // read what follows the table.
        if (index >= dib.colourCount) {
            return 0xFF000000u;
        }
        const unsigned char* entry = dib.header + headerSize + std::size_t{4} * index;
        return 0xFF000000u | std::uint32_t{entry[2]} << 16 | std::uint32_t{entry[1]} << 8 |
               entry[0];
    }
    if (dib.bitCount == 24) {
        const unsigned char* p = line + std::ptrdiff_t{3} * column;
        return 0xFF000000u | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
    }
    const std::uint32_t value = ReadU32(line + std::ptrdiff_t{4} * column);
    if (dib.compression == 3) {
        // The three masks follow a 40-byte header and sit at the same place in the longer ones.
        const unsigned char* masks = dib.header + 40;
        return 0xFF000000u | Channel(value, ReadU32(masks)) << 16 |
               Channel(value, ReadU32(masks + 4)) << 8 | Channel(value, ReadU32(masks + 8));
    }
    return 0xFF000000u | (value & 0x00FFFFFFu);
}

}  // namespace

bool StretchDib(void* drawContext, int x, int y, int width, int height, const void* info,
                const void* bits, int srcWidth, int srcHeight) {
    auto* surface = static_cast<DGFramebuffer*>(drawContext);
    if (surface == nullptr || surface->pixels == nullptr || width <= 0 || height <= 0 ||
        srcWidth <= 0 || srcHeight <= 0) {
        return false;
    }
    const auto* header = static_cast<const unsigned char*>(info);
    DibLayout dib{header,
                  static_cast<const unsigned char*>(bits),
                  srcWidth,
                  srcHeight,
                  static_cast<std::int32_t>(ReadU32(header + 8)) > 0,
                  ReadU16(header + 14),
                  ReadU32(header + 16),
                  0,
                  ReadU32(header + 32)};
    const bool supported = dib.bitCount == 1 || dib.bitCount == 4 || dib.bitCount == 8 ||
                           dib.bitCount == 24 || dib.bitCount == 32;
    if (!supported) {
        return false;
    }
    dib.stride = (static_cast<std::size_t>(srcWidth) * dib.bitCount + 31) / 32 * 4;
    if (dib.bitCount <= 8 && (dib.colourCount == 0 || dib.colourCount > 1u << dib.bitCount)) {
        dib.colourCount = 1u << dib.bitCount;
    }
    const int firstRow = std::max(0, -y);
    const int lastRow = std::min(height, surface->height - y);
    const int firstColumn = std::max(0, -x);
    const int lastColumn = std::min(width, surface->width - x);
    for (int row = firstRow; row < lastRow; ++row) {
        const int sourceRow = static_cast<int>(static_cast<long long>(row) * srcHeight / height);
        std::uint32_t* target = surface->pixels + static_cast<std::size_t>(y + row) *
                                                      static_cast<std::size_t>(surface->stride);
        for (int column = firstColumn; column < lastColumn; ++column) {
            const int sourceColumn =
                static_cast<int>(static_cast<long long>(column) * srcWidth / width);
            target[x + column] = SourcePixel(dib, sourceColumn, sourceRow);
        }
    }
    return true;
}

bool FrameRect(void* drawContext, int left, int top, int right, int bottom, std::uint8_t red,
               std::uint8_t green, std::uint8_t blue) {
    auto* surface = static_cast<DGFramebuffer*>(drawContext);
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
    DGFramebuffer framebuffer{};
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

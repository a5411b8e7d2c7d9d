#include "host/dialog_render_bitmap.h"

#include <algorithm>
#include <cstdlib>

namespace host {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int kLargestSide = 16384;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;

std::uint32_t Read32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

std::uint16_t Read16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

// The 8-bit value of a masked channel.
std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while ((mask >> shift & 1u) == 0) {
        ++shift;
    }
    return ((value & mask) >> shift) * 255u / (mask >> shift);
}

}  // namespace

Pixmap PixmapOfBitmap(const std::uint8_t* data, std::size_t size) {
    std::size_t infoAt = 0;
    std::size_t bitsAt = 0;
    const bool fileImage = size >= kFileHeaderSize && data[0] == 'B' && data[1] == 'M';
    if (fileImage) {
        infoAt = kFileHeaderSize;
        bitsAt = Read32(data + 10);
    }
    if (size < infoAt + kInfoHeaderSize) {
        return {};
    }
    const std::uint8_t* info = data + infoAt;
    const std::uint32_t headerSize = Read32(info);
    const auto width = static_cast<std::int32_t>(Read32(info + 4));
    const auto storedHeight = static_cast<std::int32_t>(Read32(info + 8));
    const int bitCount = Read16(info + 14);
    const std::uint32_t compression = Read32(info + 16);
    const std::uint32_t usedColours = Read32(info + 32);
    const int height = std::abs(storedHeight);
    const bool indexed = bitCount == 1 || bitCount == 4 || bitCount == 8;
    const bool supported =
        indexed || bitCount == 24 ||
        (bitCount == 32 && (compression == kUncompressed || compression == kBitFields));
    if (headerSize < kInfoHeaderSize || width <= 0 || width > kLargestSide || height == 0 ||
        height > kLargestSide || !supported ||
        (compression != kUncompressed && !(bitCount == 32 && compression == kBitFields))) {
        return {};
    }
    const std::size_t colours =
        indexed
            ? (usedColours != 0 && usedColours < (1u << bitCount) ? usedColours : 1u << bitCount)
            : 0;
    const std::size_t masks = compression == kBitFields && headerSize == kInfoHeaderSize ? 12 : 0;
    const std::size_t paletteAt = infoAt + headerSize + masks;
    if (!fileImage) {
        bitsAt = paletteAt + 4 * colours;
    }
    const std::size_t stride = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
    if (paletteAt + 4 * colours > size || bitsAt < paletteAt + 4 * colours ||
        bitsAt + stride * static_cast<std::size_t>(height) > size) {
        return {};
    }
    Pixmap picture{width, height, {}};
    picture.pixels.resize(static_cast<std::size_t>(width) * height);
    const std::uint8_t* masksAt = info + kInfoHeaderSize;
    for (int y = 0; y < height; ++y) {
        const int storedRow = storedHeight > 0 ? height - 1 - y : y;
        const std::uint8_t* line = data + bitsAt + static_cast<std::size_t>(storedRow) * stride;
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            if (indexed) {
                const int perByte = 8 / bitCount;
                const int shift = 8 - bitCount * (x % perByte + 1);
                const std::size_t index = line[x / perByte] >> shift & ((1u << bitCount) - 1);
                const std::uint8_t* entry = data + paletteAt + 4 * std::min(index, colours - 1);
                pixel = Read32(entry) & 0x00FFFFFFu;
            } else if (bitCount == 24) {
                const std::uint8_t* p = line + 3 * static_cast<std::size_t>(x);
                pixel = std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
            } else {
                const std::uint32_t value = Read32(line + 4 * static_cast<std::size_t>(x));
                pixel = compression == kBitFields ? Channel(value, Read32(masksAt)) << 16 |
                                                        Channel(value, Read32(masksAt + 4)) << 8 |
                                                        Channel(value, Read32(masksAt + 8))
                                                  : value & 0x00FFFFFFu;
            }
            picture.pixels[static_cast<std::size_t>(y) * width + x] = 0xFF000000u | pixel;
        }
    }
    return picture;
}

}  // namespace host

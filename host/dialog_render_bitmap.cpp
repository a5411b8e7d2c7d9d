#include "host/dialog_render_bitmap.h"

#include <cstdlib>

#include "platform/dib_pixels.h"

namespace host {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int kLargestSide = 16384;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kLargestUnusedTable = 256;

std::uint32_t Read32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

std::uint16_t Read16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
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
    if (headerSize < kInfoHeaderSize || width <= 0 || width > kLargestSide || height == 0 ||
        height > kLargestSide || !platform::DibPixels::IsSupported(bitCount, compression)) {
        return {};
    }
    // Colour masks follow a 40-byte header or are part of a header of 52 bytes and more.
    const bool masksInHeader = headerSize >= kInfoHeaderSize + 12;
    if (compression == kBitFields && headerSize != kInfoHeaderSize && !masksInHeader) {
        return {};
    }
    // Deeper bitmaps may carry a colour table too, which their pixels follow.
    const bool indexed = bitCount <= 8;
    if (!indexed && usedColours > kLargestUnusedTable) {
        return {};
    }
    const std::size_t colours =
        indexed
            ? (usedColours != 0 && usedColours < (1u << bitCount) ? usedColours : 1u << bitCount)
            : usedColours;
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
    const platform::DibPixels dib(info, data + bitsAt, width, height);
    Pixmap picture{width, height, {}};
    picture.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.pixels[static_cast<std::size_t>(y) * width + x] = dib.At(x, y);
        }
    }
    return picture;
}

}  // namespace host

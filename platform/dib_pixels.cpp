#include "platform/dib_pixels.h"

namespace platform {

namespace {

constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kColourMasks = 3;
constexpr std::size_t kMasksAt = 40;  // after a 40-byte header, or inside a longer one

std::uint32_t Read32(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

std::uint16_t Read16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

}  // namespace

bool DibPixels::IsSupported(int bitCount, std::uint32_t compression) {
    switch (bitCount) {
        case 1:
        case 24:
            return compression == kUncompressed;
        case 4:
            return compression == kUncompressed || compression == kRle4;
        case 8:
            return compression == kUncompressed || compression == kRle8;
        case 16:
        case 32:
            return compression == kUncompressed || compression == kColourMasks;
        default:
            return false;
    }
}

DibPixels::DibPixels(const unsigned char* info, const unsigned char* bits, int width, int height)
    : bits_(bits),
      height_(height),
      bottomUp_(static_cast<std::int32_t>(Read32(info + 8)) > 0),
      bitCount_(Read16(info + 14)),
      stride_((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount_) + 31) / 32 *
              4),
      table_(info + Read32(info)),
      tableEntries_(0) {
    if (bitCount_ <= 8) {
        // Colours used: 0 for the whole table the depth allows.
        const std::uint32_t full = 1u << bitCount_;
        const std::uint32_t used = Read32(info + 32);
        tableEntries_ = used == 0 || used > full ? full : used;
        const std::uint32_t compression = Read32(info + 16);
        if (compression == kRle8 || compression == kRle4) {
            rle_.emplace(bits, Read32(info + 20), bitCount_, width, height);
        }
        return;
    }
    std::uint32_t masks[3] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
    if (Read32(info + 16) == kColourMasks) {
        for (std::size_t i = 0; i < 3; ++i) {
            masks[i] = Read32(info + kMasksAt + 4 * i);
        }
    } else if (bitCount_ == 16) {
        masks[0] = 0x7C00u;
        masks[1] = 0x03E0u;
        masks[2] = 0x001Fu;
    }
    red_ = FieldOf(masks[0]);
    green_ = FieldOf(masks[1]);
    blue_ = FieldOf(masks[2]);
}

DibPixels::Field DibPixels::FieldOf(std::uint32_t mask) {
    Field field;
    if (mask == 0) {
        return field;
    }
    while ((mask >> field.shift & 1u) == 0) {
        ++field.shift;
    }
    while (field.shift + field.length < 32 && (mask >> (field.shift + field.length) & 1u) != 0) {
        ++field.length;
    }
    return field;
}

// The channel's 8 bits: the field's top 8 bits; a narrower field is moved to the top of the
// byte and its bits repeated once below it (5 bits abcde give abcdeabc), as the system's
// drawing widens 5-5-5 and 5-6-5 pixels.
std::uint32_t DibPixels::Expand(std::uint32_t value, Field field) {
    if (field.length == 0) {
        return 0;
    }
    const std::uint32_t bits = value >> field.shift & (0xFFFFFFFFu >> (32 - field.length));
    if (field.length >= 8) {
        return bits >> (field.length - 8);
    }
    const std::uint32_t top = bits << (8 - field.length);
    return (top | top >> field.length) & 0xFFu;
}

std::uint32_t DibPixels::At(int column, int row) const {
    if (rle_) {
        return Colour(rle_->IndexAt(column, row));
    }
    const int storedRow = bottomUp_ ? height_ - 1 - row : row;
    const unsigned char* line = bits_ + static_cast<std::size_t>(storedRow) * stride_;
    const auto x = static_cast<std::size_t>(column);
    if (bitCount_ <= 8) {
        const std::size_t perByte = 8 / static_cast<std::size_t>(bitCount_);
        const int shift = 8 - bitCount_ * static_cast<int>(x % perByte + 1);
        return Colour(line[x / perByte] >> shift & ((1u << bitCount_) - 1));
    }
    if (bitCount_ == 24) {
        const unsigned char* p = line + 3 * x;
        return 0xFF000000u | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
    }
    const std::uint32_t value = bitCount_ == 16 ? Read16(line + 2 * x) : Read32(line + 4 * x);
    return 0xFF000000u | Expand(value, red_) << 16 | Expand(value, green_) << 8 |
           Expand(value, blue_);
}

// An index past a short colour table draws black and reads nothing beyond the table.
std::uint32_t DibPixels::Colour(std::uint32_t index) const {
    if (index >= tableEntries_) {
        return 0xFF000000u;
    }
    return 0xFF000000u | (Read32(table_ + std::size_t{4} * index) & 0x00FFFFFFu);
}

}  // namespace platform

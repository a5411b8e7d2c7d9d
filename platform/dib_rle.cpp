#include "platform/dib_rle.h"

#include <algorithm>

namespace platform {

namespace {

// The k-th pixel of a 4-bit run of bytes: each byte's high nibble first.
std::uint8_t Nibble(std::uint8_t byte, int k) {
    return static_cast<std::uint8_t>(k % 2 == 0 ? byte >> 4 : byte & 0x0F);
}

}  // namespace

// What the system's drawing does with a stream that is not well formed, and so what this does:
// a run past the right edge is cut there, a move past it stops at the edge, and a move above
// the top row, or a run or move the stream ends inside, ends the decoding with what was decoded
// so far. Pixels on a line that the stream leaves open at its end are decoded but not covered.
DibRle::DibRle(const unsigned char* stream, std::size_t size, int bitCount, int width, int height)
    : width_(width),
      stride_(width + width % 2),
      indices_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), 0),
      covered_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), false),
      row_(height - 1) {
    const bool nibbles = bitCount == 4;
    int x = 0;
    std::size_t at = 0;
    while (at + 1 < size) {
        const int count = stream[at];
        const std::uint8_t value = stream[at + 1];
        at += 2;
        if (count != 0) {
            // An encoded run: value repeated (4 bits: its two nibbles in turn). Whole bytes are
            // written, so a 4-bit run ending on a byte's first pixel also sets the next one.
            const int n = std::min(count, width - x);
            const int written = nibbles && n > 0 && (x + n - 1) % 2 == 0 ? n + 1 : n;
            for (int k = 0; k < written; ++k) {
                Put(x + k, nibbles ? Nibble(value, k) : value);
            }
            x += n;
            right_ = x;
            continue;
        }
        if (value >= 3) {
            // An absolute run of value pixels, its bytes padded to an even count.
            const std::size_t bytes =
                (std::size_t{value} * static_cast<std::size_t>(bitCount) + 7) / 8;
            if (bytes > size - at) {
                break;
            }
            const int n = std::min<int>(value, width - x);
            const int written = nibbles && n > 0 && x % 2 == 0 && n % 2 == 1 ? n + 1 : n;
            for (int k = 0; k < written; ++k) {
                Put(x + k, nibbles ? Nibble(stream[at + static_cast<std::size_t>(k / 2)], k)
                                   : stream[at + static_cast<std::size_t>(k)]);
            }
            x += n;
            right_ = x;
            at += bytes + bytes % 2;
            continue;
        }
        CoverRun();
        if (value == 1 || (value == 2 && at + 1 >= size)) {
            break;
        }
        if (value == 0) {
            x = 0;
            --row_;
        } else {
            x = std::min(x + stream[at], width);
            row_ -= stream[at + 1];
            at += 2;
        }
        left_ = x;
        right_ = x;
        if (row_ < 0) {
            break;
        }
    }
}

void DibRle::Put(int column, std::uint8_t index) {
    indices_[static_cast<std::size_t>(row_) * static_cast<std::size_t>(stride_) +
             static_cast<std::size_t>(column)] = index;
}

void DibRle::CoverRun() {
    const std::size_t line = static_cast<std::size_t>(row_) * static_cast<std::size_t>(width_);
    for (int column = left_; column < right_; ++column) {
        covered_[line + static_cast<std::size_t>(column)] = true;
    }
}

std::uint32_t DibRle::IndexAt(int column, int row) const {
    return indices_[static_cast<std::size_t>(row) * static_cast<std::size_t>(stride_) +
                    static_cast<std::size_t>(column)];
}

bool DibRle::Covers(int column, int row) const {
    return covered_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
                    static_cast<std::size_t>(column)];
}

}  // namespace platform

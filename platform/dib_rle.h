// The pixels of a run-length compressed bitmap (8 bits a pixel in byte runs, 4 bits in nibble
// runs): encoded runs, absolute runs padded to a 16-bit boundary, and the escapes for end of
// line (0 0), end of bitmap (0 1) and a move right and up (0 2 dx dy).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class DibRle {
public:
    // Decodes width * height pixels (bottom-up) from the size bytes of stream, 4 or 8 bits a
    // pixel. Decoding stops at the end of the bitmap, above the top row, or at the first run
    // the stream does not hold whole; it never reads outside the stream.
    DibRle(const unsigned char* stream, std::size_t size, int bitCount, int width, int height);

    // The colour-table index of the pixel, row 0 at the top; 0 where the stream wrote nothing.
    std::uint32_t IndexAt(int column, int row) const;
    // Whether a line the stream closed (end of line or bitmap, or a move) holds the pixel.
    bool Covers(int column, int row) const;

private:
    void Put(int column, std::uint8_t index);
    void CoverRun();

    int width_;
    // Room for one pixel past an odd width: a 4-bit run writes whole bytes.
    int stride_;
    std::vector<std::uint8_t> indices_;
    std::vector<bool> covered_;
    int row_;  // from the top, as stored from the bottom
    int left_ = 0;
    int right_ = 0;
};

}  // namespace platform

// The colours of a device-independent bitmap's pixels, read as the system's bitmap drawing
// reads them: 1, 4 and 8 bits through the colour table, 16 and 32 bits through colour masks
// (5-5-5 and 8-8-8 when the bitmap names none), 24 bits as blue, green, red bytes; run-length
// compressed 8- and 4-bit bitmaps decoded first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/dib_rle.h"

namespace platform {

class DibPixels {
public:
    // The uncompressed (0) and colour-mask (3) bitmaps of these depths, and the run-length
    // compressed ones (1 for 8 bits, 2 for 4 bits); every other bitmap is drawn by no one.
    static bool IsSupported(int bitCount, std::uint32_t compression);

    // info is the information header (its size first) followed by the masks and the colour
    // table, bits the pixel rows (compressed: the header's image size of bytes); width and height
    // (positive) are the bitmap's size. The caller has checked that the header, table and rows
    // lie within their data and IsSupported.
    DibPixels(const unsigned char* info, const unsigned char* bits, int width, int height);

    // 0xFFRRGGBB of the pixel in the given column and row, row 0 at the top whichever way the
    // rows are stored.
    std::uint32_t At(int column, int row) const;

    // Whether a compressed bitmap's stream left the pixel out (moved past it, ended its line or
    // the bitmap early): drawn at the bitmap's own size, such a pixel leaves the item as it was.
    bool Skips(int column, int row) const { return rle_ && !rle_->Covers(column, row); }

private:
    // Where a colour mask's lowest run of set bits lies.
    struct Field {
        int shift = 0;
        int length = 0;
    };
    static Field FieldOf(std::uint32_t mask);
    static std::uint32_t Expand(std::uint32_t value, Field field);
    // 0xFFRRGGBB of a colour-table entry.
    std::uint32_t Colour(std::uint32_t index) const;

    const unsigned char* bits_;
    int height_;
    bool bottomUp_;
    int bitCount_;
    std::size_t stride_;
    const unsigned char* table_;
    std::uint32_t tableEntries_;
    Field red_;
    Field green_;
    Field blue_;
    std::optional<DibRle> rle_;
};

}  // namespace platform

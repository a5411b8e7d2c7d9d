// Every kind of bitmap that the host can hand to DrawDIB, drawn into a user item at its own size,
// enlarged, reduced, and both at once, and compared pixel for pixel with one reference picture
// per kind. Both builds compare with the same pictures: the Windows build draws through the
// system's StretchDIBits, the Linux build through its own drawing, and a user sees the same
// banner on either. The references are files under version control (reference/, see its
// README); a picture that differs, or has no reference, is written beside the test's build
// folder for review and fails the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "about/picture.h"
#include "acapi/gs_memory.h"
#include "host/dialog_render.h"
#include "host/host_control.h"
#include "platform/drawing.h"
#include "platform/image_decoding.h"
#include "shell/host_interface.h"

namespace {

constexpr int kSourceWidth = 7;
constexpr int kSourceHeight = 5;
constexpr int kItemWidth = 48;
constexpr int kItemHeight = 12;

// Where the bitmap is drawn in the item: its own size, enlarged by uneven factors, reduced,
// wider and shorter, narrower and taller, and into one pixel.
constexpr PictureRect kPlaces[] = {
    {0, 0, 4, 6}, {0, 8, 11, 24}, {0, 26, 2, 29}, {0, 31, 2, 41}, {0, 43, 8, 45}, {0, 47, 0, 47},
};

struct BitmapKind {
    const char* name;
    std::uint16_t bitCount;
    std::uint32_t compression;  // 0 none, 3 colour masks
    std::uint32_t headerSize;
    std::uint32_t masks[3];
    std::uint32_t coloursUsed;
    bool topDown;
};

constexpr BitmapKind kKinds[] = {
    {"1bit", 1, 0, 40, {}, 0, false},
    {"1bit_one_colour", 1, 0, 40, {}, 1, false},
    {"4bit", 4, 0, 40, {}, 0, false},
    {"4bit_six_colours_top_down", 4, 0, 40, {}, 6, true},
    {"8bit", 8, 0, 40, {}, 0, false},
    {"8bit_twenty_colours", 8, 0, 40, {}, 20, false},
    {"8bit_top_down", 8, 0, 40, {}, 0, true},
    {"16bit", 16, 0, 40, {}, 0, false},
    {"16bit_top_down", 16, 0, 40, {}, 0, true},
    {"16bit_colour_table_skipped", 16, 0, 40, {}, 3, false},
    {"16bit_masks_565", 16, 3, 40, {0xF800, 0x07E0, 0x001F}, 0, false},
    {"16bit_masks_555_top_down", 16, 3, 40, {0x7C00, 0x03E0, 0x001F}, 0, true},
    {"16bit_masks_444", 16, 3, 40, {0x0F00, 0x00F0, 0x000F}, 0, false},
    {"16bit_masks_565_blue_high", 16, 3, 40, {0x001F, 0x07E0, 0xF800}, 0, false},
    {"16bit_masks_in_v4_header", 16, 3, 108, {0xF800, 0x07E0, 0x001F}, 0, false},
    {"24bit", 24, 0, 40, {}, 0, false},
    {"24bit_top_down", 24, 0, 40, {}, 0, true},
    {"32bit", 32, 0, 40, {}, 0, false},
    {"32bit_top_down", 32, 0, 40, {}, 0, true},
    {"32bit_masks_888_blue_high", 32, 3, 40, {0x0000FF, 0x00FF00, 0xFF0000}, 0, false},
    {"32bit_masks_10_10_10", 32, 3, 40, {0x3FF00000, 0x000FFC00, 0x000003FF}, 0, false},
    {"32bit_masks_in_v5_header", 32, 3, 124, {0xFF000000, 0x00FF0000, 0x0000FF00}, 0, true},
};

void PrintTo(const BitmapKind& kind, std::ostream* out) {
    *out << kind.name;
}

// Run-length compressed bitmaps (8 bits: compression 1, 4 bits: 2), bottom-up, their stream
// given byte for byte. Each line is one row, the bottom row first.
struct CompressedKind {
    const char* name;
    std::uint16_t bitCount;
    std::vector<unsigned char> stream;
};

const CompressedKind kCompressedKinds[] = {
    {"rle8_encoded_and_absolute_runs",
     8,
     {0x02, 0x0A, 0x00, 0x03, 0x21, 0x22, 0x23, 0x00, 0x02, 0x0B, 0x00, 0x00,  //
      0x00, 0x05, 0x31, 0x32, 0x33, 0x34, 0x35, 0x00, 0x02, 0x3F, 0x00, 0x00,  //
      0x07, 0x40, 0x00, 0x00,                                                  //
      0x01, 0x50, 0x00, 0x04, 0x51, 0x52, 0x53, 0x54, 0x0C, 0x55, 0x00, 0x00,  // cut at the edge
      0x00, 0x07, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x00, 0x00, 0x01}},
    {"rle8_delta_and_early_end", 8, {0x03, 0x10, 0x00, 0x02, 0x02, 0x01,  // a move 2 right and 1 up
                                     0x02, 0x11, 0x00, 0x00,              //
                                     0x04, 0x12, 0x00, 0x00,              // the line ends early
                                     0x00, 0x03, 0x13, 0x14, 0x15, 0x00,
                                     0x00, 0x02,  // a move 1 right on the line
                                     0x01, 0x00, 0x03, 0x16, 0x00, 0x00,  //
                                     0x02, 0x17, 0x00, 0x01}},            // the bitmap ends early
    {"rle8_stream_cut_inside_a_run",
     8,
     {0x07, 0x20, 0x00, 0x00,                            //
      0x03, 0x25, 0x00, 0x05, 0x21, 0x22, 0x23, 0x24}},  // 5 pixels announced, 4 given
    {"rle4_encoded_and_absolute_runs",
     4,
     {0x03, 0x12, 0x00, 0x03, 0x34, 0x50, 0x01, 0x67, 0x00, 0x00,  // absolute from an odd pixel
      0x00, 0x05, 0xAB, 0xCD, 0xE0, 0x00, 0x02, 0xF1, 0x00, 0x00,  //
      0x05, 0x9C, 0x02, 0x3D, 0x00, 0x00,                          //
      0x01, 0x7E, 0x00, 0x06, 0x12, 0x34, 0x56, 0x00, 0x00, 0x00,  //
      0x09, 0xAB, 0x00, 0x01}},                                    // cut at the edge
    {"rle4_delta_and_early_end",
     4,
     {0x02, 0x12, 0x00, 0x02, 0x03, 0x01,  // a move 3 right and 1 up
      0x01, 0x34, 0x00, 0x00,              //
      0x00, 0x03, 0x56, 0x70, 0x00, 0x00,  // the line ends early
      0x00, 0x02, 0x02, 0x01,              // a move 2 right and 1 up: a line skipped
      0x03, 0x89, 0x00, 0x01}},            // the bitmap ends early
};

void PrintTo(const CompressedKind& kind, std::ostream* out) {
    *out << kind.name;
}

// A fixed spread of values (Knuth's multiplicative hash), so that neighbouring pixels differ and
// a pixel taken from the wrong place shows.
std::uint32_t Spread(std::uint32_t n) {
    return (n + 1) * 2654435761u ^ (n * 40503u) >> 3;
}

void Put(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// The bitmap file image: file header, information header, masks after a 40-byte header, colour
// table, rows. The pixels index every entry the depth allows, also past a short table.
std::vector<unsigned char> BitmapOf(const BitmapKind& kind) {
    const std::size_t tableEntries =
        kind.coloursUsed != 0 ? kind.coloursUsed : (kind.bitCount <= 8 ? 1u << kind.bitCount : 0);
    const std::size_t masksAfter = kind.compression == 3 && kind.headerSize == 40 ? 12 : 0;
    const std::size_t bitsAt = 14 + kind.headerSize + masksAfter + 4 * tableEntries;
    const std::size_t stride = (kSourceWidth * std::size_t{kind.bitCount} + 31) / 32 * 4;
    std::vector<unsigned char> bytes(bitsAt + stride * kSourceHeight, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    Put(bytes, 10, static_cast<std::uint32_t>(bitsAt), 4);
    Put(bytes, 14, kind.headerSize, 4);
    Put(bytes, 18, kSourceWidth, 4);
    Put(bytes, 22, static_cast<std::uint32_t>(kind.topDown ? -kSourceHeight : kSourceHeight), 4);
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, kind.bitCount, 2);
    Put(bytes, 30, kind.compression, 4);
    Put(bytes, 46, kind.coloursUsed, 4);
    for (std::size_t i = 0; i < 3; ++i) {
        Put(bytes, 14 + 40 + 4 * i, kind.masks[i], 4);
    }
    const std::size_t tableAt = 14 + kind.headerSize + masksAfter;
    for (std::size_t i = 0; i < tableEntries; ++i) {
        Put(bytes, tableAt + 4 * i, Spread(static_cast<std::uint32_t>(1000 + i)) & 0xFFFFFFu, 4);
    }
    for (int y = 0; y < kSourceHeight; ++y) {
        const int stored = kind.topDown ? y : kSourceHeight - 1 - y;
        const std::size_t line = bitsAt + static_cast<std::size_t>(stored) * stride;
        for (int x = 0; x < kSourceWidth; ++x) {
            const std::uint32_t value = Spread(static_cast<std::uint32_t>(y * kSourceWidth + x));
            const std::size_t bit = static_cast<std::size_t>(x) * kind.bitCount;
            if (kind.bitCount < 8) {
                const std::uint32_t index = value >> 7 & ((1u << kind.bitCount) - 1);
                const int shift = 8 - kind.bitCount - static_cast<int>(bit % 8);
                bytes[line + bit / 8] |= static_cast<unsigned char>(index << shift);
            } else {
                Put(bytes, line + bit / 8, value >> 5, kind.bitCount / 8);
            }
        }
    }
    return bytes;
}

// The compressed bitmap's file image: file header, 40-byte information header naming the
// stream's size, the whole colour table the depth allows, the stream.
std::vector<unsigned char> BitmapOf(const CompressedKind& kind) {
    const std::size_t tableEntries = std::size_t{1} << kind.bitCount;
    const std::size_t bitsAt = 14 + 40 + 4 * tableEntries;
    std::vector<unsigned char> bytes(bitsAt, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<std::uint32_t>(bitsAt + kind.stream.size()), 4);
    Put(bytes, 10, static_cast<std::uint32_t>(bitsAt), 4);
    Put(bytes, 14, 40, 4);
    Put(bytes, 18, kSourceWidth, 4);
    Put(bytes, 22, kSourceHeight, 4);
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, kind.bitCount, 2);
    Put(bytes, 30, kind.bitCount == 8 ? 1 : 2, 4);
    Put(bytes, 34, static_cast<std::uint32_t>(kind.stream.size()), 4);
    for (std::size_t i = 0; i < tableEntries; ++i) {
        Put(bytes, 54 + 4 * i, Spread(static_cast<std::uint32_t>(1000 + i)) & 0xFFFFFFu, 4);
    }
    bytes.insert(bytes.end(), kind.stream.begin(), kind.stream.end());
    return bytes;
}

Picture PictureOf(const std::vector<unsigned char>& bytes) {
    Picture picture;
    GSHandle handle = BMAllocateHandle(static_cast<GSSize>(bytes.size()), 0, 0);
    std::memcpy(*handle, bytes.data(), bytes.size());
    picture.Replace(1, handle);
    return picture;
}

// The reference picture as 0xFFRRGGBB pixels; empty when it is missing or unreadable.
std::vector<std::uint32_t> ReferencePixels(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> png{std::istreambuf_iterator<char>(in), {}};
    platform::DecodedImage image;
    if (png.empty() || !platform::DecodeImage(png.data(), png.size(), image) ||
        image.width != kItemWidth || image.height != kItemHeight) {
        return {};
    }
    std::vector<std::uint32_t> pixels;
    for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
        pixels.push_back(0xFF000000u | std::uint32_t{image.rgb[i]} << 16 |
                         std::uint32_t{image.rgb[i + 1]} << 8 | image.rgb[i + 2]);
    }
    return pixels;
}

std::string Hex(std::uint32_t pixel) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4) {
        text += digits[pixel >> shift & 0xF];
    }
    return text;
}

class BitmapTableTest : public ::testing::TestWithParam<BitmapKind> {
protected:
    void SetUp() override { HostInterface::SetFunctionTable(host::FunctionTable()); }
};

class CompressedBitmapTableTest : public ::testing::TestWithParam<CompressedKind> {
protected:
    void SetUp() override { HostInterface::SetFunctionTable(host::FunctionTable()); }
};

// Draws the bitmap at every place in a white item and compares the item with the kind's
// reference picture.
void ExpectDrawnAsReference(const std::string& kindName, const std::vector<unsigned char>& bytes) {
    const Picture picture = PictureOf(bytes);
    platform::ItemSurface surface(kItemWidth, kItemHeight);
    for (const PictureRect& place : kPlaces) {
        ASSERT_TRUE(DrawDIB(surface.DrawContext(), place, picture)) << "at " << place.left;
    }
    const std::vector<std::uint32_t> drawn = surface.Pixels();
    const std::string name = kindName + ".png";
    const std::vector<std::uint32_t> reference =
        ReferencePixels(std::string(VELMORA_BITMAP_REFERENCES) + "/" + name);
    if (drawn == reference) {
        return;
    }
    const std::string written = std::string(VELMORA_BITMAPS_DRAWN) + "/" + name;
    host::WritePngFile(written, host::Pixmap{kItemWidth, kItemHeight, drawn});
    ASSERT_FALSE(reference.empty()) << "no reference picture " << name << "; drawn: " << written;
    std::size_t differing = 0;
    std::size_t first = drawn.size();
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        if (drawn[i] != reference[i]) {
            ++differing;
            first = first < i ? first : i;
        }
    }
    ADD_FAILURE() << differing << " pixels differ from " << name << ", the first at ("
                  << first % kItemWidth << ", " << first / kItemWidth << "): drawn "
                  << Hex(drawn[first]) << ", reference " << Hex(reference[first])
                  << "; drawn picture: " << written;
}

TEST_P(BitmapTableTest, DrawsAsTheReferencePicture) {
    ExpectDrawnAsReference(GetParam().name, BitmapOf(GetParam()));
}

// Pixels that a stream skips (moves, lines or bitmaps ended early, a run cut off by the end of
// the stream) stay white at the bitmap's own size and take colour 0 when it is stretched.
TEST_P(CompressedBitmapTableTest, DrawsAsTheReferencePicture) {
    ExpectDrawnAsReference(GetParam().name, BitmapOf(GetParam()));
}

// Depths and compressions that the system does not draw are refused by the drawing itself, on
// both builds alike, and leave the item as it was.
TEST(BitmapRefusedTest, DepthsAndCompressionsTheSystemDoesNotDrawLeaveTheItemWhite) {
    const struct {
        std::uint16_t bitCount;
        std::uint32_t compression;
    } cases[] = {{2, 0}, {0, 0}, {64, 0}, {8, 3}, {24, 3}, {32, 7}, {4, 1}, {8, 2}, {24, 1}};
    for (const auto& c : cases) {
        // A header, then room for any table and rows these sizes could ask for.
        std::vector<unsigned char> info(4096, 0x5A);
        Put(info, 0, 40, 4);
        Put(info, 4, kSourceWidth, 4);
        Put(info, 8, kSourceHeight, 4);
        Put(info, 12, 1, 2);
        Put(info, 14, c.bitCount, 2);
        Put(info, 16, c.compression, 4);
        std::fill(info.begin() + 20, info.begin() + 40, 0);
        platform::ItemSurface surface(kSourceWidth, kSourceHeight);
        EXPECT_FALSE(platform::StretchDib(surface.DrawContext(), 0, 0, kSourceWidth, kSourceHeight,
                                          info.data(), info.data() + 2048, kSourceWidth,
                                          kSourceHeight))
            << c.bitCount << " bits, compression " << c.compression;
        EXPECT_EQ(surface.Pixels(),
                  std::vector<std::uint32_t>(kSourceWidth * kSourceHeight, 0xFFFFFFFFu))
            << c.bitCount << " bits, compression " << c.compression;
    }
}

// A compressed bitmap stored top-down, naming no stream size or one past its data, or of more
// pixels than a picture may have, is not drawn and leaves the item as it was.
TEST(BitmapRefusedTest, CompressedBitmapsOfImpossibleSizesLeaveTheItemWhite) {
    HostInterface::SetFunctionTable(host::FunctionTable());
    const std::vector<unsigned char> sound = BitmapOf(kCompressedKinds[0]);
    const auto streamSize = static_cast<std::uint32_t>(kCompressedKinds[0].stream.size());
    const struct {
        const char* what;
        std::vector<std::pair<std::size_t, std::uint32_t>> changes;  // offset, 4-byte value
    } cases[] = {
        {"top-down", {{22, static_cast<std::uint32_t>(-kSourceHeight)}}},
        {"no stream size", {{34, 0}}},
        {"stream past the data", {{34, streamSize + 1}}},
        {"2049 by 2048 pixels", {{18, 2049}, {22, 2048}}},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> bytes = sound;
        for (const auto& [at, value] : c.changes) {
            Put(bytes, at, value, 4);
        }
        const Picture picture = PictureOf(bytes);
        platform::ItemSurface surface(kItemWidth, kItemHeight);
        EXPECT_FALSE(DrawDIB(surface.DrawContext(), kPlaces[0], picture)) << c.what;
        EXPECT_EQ(surface.Pixels(),
                  std::vector<std::uint32_t>(kItemWidth * kItemHeight, 0xFFFFFFFFu))
            << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, BitmapTableTest, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<BitmapKind>& kind) {
                             return std::string(kind.param.name);
                         });
INSTANTIATE_TEST_SUITE_P(Kinds, CompressedBitmapTableTest, ::testing::ValuesIn(kCompressedKinds),
                         [](const ::testing::TestParamInfo<CompressedKind>& kind) {
                             return std::string(kind.param.name);
                         });

}  // namespace

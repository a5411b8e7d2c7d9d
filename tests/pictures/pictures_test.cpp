#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "about/banner_fit.h"
#include "about/picture.h"
#include "acapi/gs_memory.h"
#include "host/host_control.h"
#include "platform/drawing.h"
#include "platform/native_path.h"
#include "shell/host_interface.h"
#include "tests/support/scratch_folder.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

std::string ReadData(const char* name) {
    std::ifstream in(std::string(VELMORA_PICTURES_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

NX_String DataPath(const char* name) {
    return platform::LocationTextFromNativePath(std::string(VELMORA_PICTURES_DATA) + "/" + name)
        .c_str();
}

// A picture of format `format` owning a host handle with `bytes`.
Picture MakePicture(std::int32_t format, const std::string& bytes) {
    Picture picture;
    GSHandle handle = BMAllocateHandle(static_cast<GSSize>(bytes.size()), 0, 0);
    std::memcpy(*handle, bytes.data(), bytes.size());
    picture.Replace(format, handle);
    return picture;
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

// A 2×2 8-bit bottom-up bitmap file image whose pixels, top row first, are palette entries
// 0 (red), 1 (green) / 2 (blue), 3 (grey).
std::string TwoByTwoDib() {
    std::string bytes(14 + 40 + 4 * 4 + 2 * 4, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    Put32(bytes, 10, 14 + 40 + 16);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, 2);
    Put32(bytes, 22, 2);
    bytes[26] = 1;
    bytes[28] = 8;
    Put32(bytes, 46, 4);
    const std::uint32_t palette[] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0x00808080u};
    for (int i = 0; i < 4; ++i) {
        Put32(bytes, 54 + 4 * i, palette[i]);
    }
    const std::size_t bits = 70;
    bytes[bits] = 2;  // bottom row first
    bytes[bits + 1] = 3;
    bytes[bits + 4] = 0;
    bytes[bits + 5] = 1;
    return bytes;
}

// A black-and-white PNG file of `width` by `height` pixels, its pixel data in stored (not
// compressed) deflate blocks, so that any size is made without a compressor.
std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBig32(std::string& bytes, std::uint32_t value) {
    for (int i = 3; i >= 0; --i) {
        bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    }
}

void PutChunk(std::string& file, const char* type, const std::string& data) {
    PutBig32(file, static_cast<std::uint32_t>(data.size()));
    const std::string typed = type + data;
    file += typed;
    PutBig32(file, Crc32(typed));
}

std::string BlackAndWhitePng(std::uint32_t width, std::uint32_t height) {
    std::string header;
    PutBig32(header, width);
    PutBig32(header, height);
    header += std::string("\x01\x00\x00\x00\x00", 5);  // 1 bit, grey, deflate, no interlace
    const std::string row = std::string(1, '\0') + std::string((width + 7) / 8, '\xFF');
    std::string raw;
    for (std::uint32_t y = 0; y < height; ++y) {
        raw += row;
    }
    std::string deflated = "\x78\x01";
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char c : raw) {
        a = (a + static_cast<unsigned char>(c)) % 65521u;
        b = (b + a) % 65521u;
    }
    for (std::size_t at = 0; at < raw.size(); at += 65535) {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
        deflated.push_back(at + length == raw.size() ? '\x01' : '\x00');
        for (const std::size_t value : {length, length ^ 0xFFFFu}) {
            deflated.push_back(static_cast<char>(value & 0xFF));
            deflated.push_back(static_cast<char>(value >> 8 & 0xFF));
        }
        deflated += raw.substr(at, length);
    }
    PutBig32(deflated, b << 16 | a);
    std::string file = "\x89PNG\r\n\x1A\n";
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", deflated);
    PutChunk(file, "IEND", "");
    return file;
}

// Counts the host's picture conversions, the decoding of a picture, and passes them on.
int conversions = 0;
ACAPI::RequestFn hostGoodies = nullptr;
GSErrCode CountingGoodies(API_AddonContext context, GSType code, void* par1, void* par2) {
    ++conversions;
    return hostGoodies(context, code, par1, par2);
}

constexpr std::uint32_t R = 0xFFFF0000u;
constexpr std::uint32_t G = 0xFF00FF00u;
constexpr std::uint32_t B = 0xFF0000FFu;
constexpr std::uint32_t Y = 0xFF808080u;
constexpr std::uint32_t W = kWhite;

// Every case gives back every handle and block it took, on its failing paths too.
class PicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        HostInterface::SetFunctionTable(host::FunctionTable());
        before_ = host::CountLiveAllocations();
    }
    void TearDown() override {
        const host::LiveCounts after = host::CountLiveAllocations();
        EXPECT_EQ(after.handles, before_.handles);
        EXPECT_EQ(after.pointers, before_.pointers);
        EXPECT_EQ(after.arrays, before_.arrays);
    }

private:
    host::LiveCounts before_{};
};

TEST_F(PicturesTest, TypesFromExtensions) {
    const struct {
        const char* extension;
        std::int32_t type;
    } cases[] = {{"bmp", 1},    {"DIB", 1},   {"gif", 2},  {"tif", 3}, {"TIFF", 3}, {"jpg", 4},
                 {"Jpeg", 4},   {"pct", 5},   {"rgb", 6},  {"psd", 7}, {"png", 8},  {"mac", 9},
                 {"targa", 10}, {"qtif", 11}, {"mpo", 12}, {"txt", 0}, {"", 0},     {"jp", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ImageTypeFromExtension(c.extension), c.type) << c.extension;
    }
    EXPECT_EQ(ImageTypeFromExtension(nullptr), 0);
}

TEST_F(PicturesTest, TypesFromBytesBeforeNames) {
    const struct {
        const char* path;
        std::string bytes;
        std::int32_t type;
    } cases[] = {
        {"C:\\a\\banner.bmp", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11), 4},
        {"C:\\a\\banner.jpg", std::string("\x89PNG\r\n\x1a\n\0\0", 10), 4},
        {"C:\\a\\banner.png", std::string("\x89PNG\r\n\x1a\n\0\0", 10), 8},
        {"C:\\a\\x.png", "BMxxxxxxxx", 1},
        {"C:\\a\\x.png", "GIF89axxxx", 2},
        {"C:\\a\\x.png", "IIxxxxxxxx", 3},
        {"C:\\a\\x.png", "MMxxxxxxxx", 3},
        {"C:\\a\\x.png", "IMxxxxxxxx", 8},
        {"C:\\a\\x.png", "8BPSxxxxxx", 7},
        {"C:\\a\\x.png", "xxxxidatxx", 11},
        {"C:\\a\\x.png", "BM", 8},  // shorter than ten bytes: the name decides
        {"C:\\a\\picture.TIFF\\", "", 3},
        {"C:\\a.gif\\noextension", "", 0},
        {nullptr, "", 0},
    };
    for (const auto& c : cases) {
        Picture data = MakePicture(0, c.bytes);
        const NX_String path = c.path != nullptr ? NX_String(c.path) : NX_String();
        EXPECT_EQ(DetectImageType(path, c.bytes.empty() ? nullptr : data.handle), c.type)
            << (c.path != nullptr ? c.path : "(no path)") << " " << c.bytes;
    }
}

// Three roads to the same pixels: loaded as a bitmap, loaded from the file as a bitmap, and
// loaded in the file's own format, which the drawing converts for the moment.
TEST_F(PicturesTest, JpegAndPngLoadAsBitmapsOfTheirSizeAndColour) {
    const struct {
        const char* file;
        std::int32_t width;
        std::int32_t height;
        std::uint32_t colour;
    } cases[] = {{"red_8x4.jpg", 8, 4, 0xFFC82828u}, {"blue_5x3.png", 5, 3, 0xFF143CDCu}};
    const struct {
        const char* name;
        bool (*load)(const NX_String& path, Picture& out);
        bool asBitmap;
    } roads[] = {
        {"as a bitmap",
         [](const NX_String& path, Picture& out) {
             return LoadImageAsDIB(NX_Location(path.GetText()), out);
         },
         true},
        {"from the file as a bitmap",
         [](const NX_String& path, Picture& out) {
             return LoadImageFile(NX_Location(path.GetText()), out, true);
         },
         true},
        {"in its own format",
         [](const NX_String& path, Picture& out) {
             return LoadImageFile(NX_Location(path.GetText()), out, false);
         },
         false},
    };
    for (const auto& c : cases) {
        for (const auto& road : roads) {
            SCOPED_TRACE(std::string(c.file) + " " + road.name);
            Picture picture;
            ASSERT_TRUE(road.load(DataPath(c.file), picture));
            if (road.asBitmap) {
                EXPECT_EQ(picture.format, 1);
                std::int32_t width = 0;
                std::int32_t height = 0;
                ASSERT_TRUE(PicturePixelSize(picture, &width, &height));
                EXPECT_EQ(width, c.width);
                EXPECT_EQ(height, c.height);
            }
            platform::ItemSurface surface(c.width, c.height);
            const PictureRect rect{0, 0, static_cast<short>(c.height - 1),
                                   static_cast<short>(c.width - 1)};
            ASSERT_TRUE(DrawDIB(surface.DrawContext(), rect, picture));
            for (const std::uint32_t pixel : surface.Pixels()) {
                for (int shift : {0, 8, 16}) {
                    const int got = static_cast<int>(pixel >> shift & 0xFF);
                    const int want = static_cast<int>(c.colour >> shift & 0xFF);
                    EXPECT_NEAR(got, want, 8);
                }
            }
        }
    }
}

TEST_F(PicturesTest, JpegKeepsItsFormatWhenNotAskedForABitmap) {
    Picture picture;
    ASSERT_TRUE(LoadImageFile(NX_Location(DataPath("red_8x4.jpg").GetText()), picture, false));
    EXPECT_EQ(picture.format, 4);
    Picture png;
    ASSERT_TRUE(LoadImageFile(NX_Location(DataPath("blue_5x3.png").GetText()), png, false));
    EXPECT_EQ(png.format, 1);
    EXPECT_FALSE(LoadImageFile(NX_Location(DataPath("missing.png").GetText()), png, true));
    EXPECT_EQ(png.handle, nullptr);
    // A picture that failed to load has no size to give.
    std::int32_t width = -1;
    std::int32_t height = -1;
    EXPECT_FALSE(PicturePixelSize(png, &width, &height));
    EXPECT_EQ(width, -1);
}

// Loaded as they are, the first five types keep their number as the picture's format, which the
// host draws; every later type has format 0. Bytes that name no type leave it to the extension.
TEST_F(PicturesTest, OnlyTheFirstFiveTypesKeepTheirFormat) {
    const ScratchFolder scratch;
    const struct {
        const char* extension;
        std::int32_t format;
    } cases[] = {{"bmp", 1}, {"gif", 2}, {"tif", 3}, {"pct", 5}, {"rgb", 0},
                 {"psd", 0}, {"mac", 0}, {"tga", 0}, {"qti", 0}, {"mpo", 0}};
    for (const auto& c : cases) {
        const std::string path = scratch.Utf8() + "/picture." + c.extension;
        std::ofstream(path, std::ios::binary) << "not a known picture";
        Picture picture;
        ASSERT_TRUE(LoadImageFile(NX_Location(platform::LocationTextFromNativePath(path).c_str()),
                                  picture, false))
            << c.extension;
        EXPECT_EQ(picture.format, c.format) << c.extension;
    }
}

TEST_F(PicturesTest, SmallBitmapStretchesIntoItemPixelForPixel) {
    const Picture dib = MakePicture(1, TwoByTwoDib());
    const struct {
        PictureRect rect;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        {{0, 0, 3, 3}, {R, R, G, G, R, R, G, G, B, B, Y, Y, B, B, Y, Y}},
        {{0, 0, 1, 1}, {R, G, W, W, B, Y, W, W, W, W, W, W, W, W, W, W}},
        {{1, 1, 2, 2}, {W, W, W, W, W, R, G, W, W, B, Y, W, W, W, W, W}},
        // right before left: the width counts from left onwards and is clipped
        {{0, 3, 3, 0}, {W, W, W, R, W, W, W, R, W, W, W, B, W, W, W, B}},
    };
    for (const auto& c : cases) {
        platform::ItemSurface surface(4, 4);
        ASSERT_TRUE(DrawDIB(surface.DrawContext(), c.rect, dib));
        EXPECT_EQ(surface.Pixels(), c.expected) << c.rect.left << "," << c.rect.right;
    }
}

TEST_F(PicturesTest, FramesAreOnePixelAndClipped) {
    platform::ItemSurface surface(4, 4);
    ASSERT_TRUE(platform::FrameRect(surface.DrawContext(), 1, 1, 5, 2, 0x80, 0x80, 0x80));
    EXPECT_EQ(surface.Pixels(),
              (std::vector<std::uint32_t>{W, W, W, W, W, Y, Y, Y, W, Y, Y, Y, W, W, W, W}));
}

TEST_F(PicturesTest, BannerFitsWidthOrHeightCentred) {
    const DGUserUpdateData item{1, 7, 1, nullptr, 0, 0, 349, 149};
    const struct {
        std::int32_t width;
        std::int32_t height;
        short top, left, bottom, right;
    } cases[] = {{700, 300, 0, 0, 149, 349},
                 {300, 300, 0, 100, 149, 249},
                 {350, 100, 25, 0, 124, 349},
                 // fitted to the width it is 150.98 pixels high, cut to the item's 150: it still
                 // fits the width, and is not narrowed
                 {51, 22, 0, 0, 149, 349},
                 // a single pixel is a picture too; no pixels in either direction draws nothing
                 {1, 1, 0, 100, 149, 249},
                 {0, 1, 0, 0, -1, -1},
                 {1, 0, 0, 0, -1, -1}};
    for (const auto& c : cases) {
        const PictureRect rect = FitBanner(item, c.width, c.height);
        EXPECT_EQ(rect.top, c.top) << c.width << "x" << c.height;
        EXPECT_EQ(rect.left, c.left);
        EXPECT_EQ(rect.bottom, c.bottom);
        EXPECT_EQ(rect.right, c.right);
    }
}

TEST_F(PicturesTest, DamagedBitmapsDrawNothing) {
    const struct {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        std::size_t keep;
    } cases[] = {
        {"header size beyond the data", 14, 100000, 0},
        {"header size too small", 14, 12, 0},
        {"width zero", 18, 0, 0},
        {"width huge", 18, 100000, 0},
        {"height zero", 22, 0, 0},
        {"height huge", 22, 0xFFFE0000u, 0},
        {"bit count 7", 28, 7, 0},
        {"compression RLE", 30, 1, 0},
        {"colours used 300", 46, 300, 0},
        {"pixel rows cut", 2, 0, 72},
        {"header cut", 2, 0, 40},
        // at 8 bits a row of 5 pixels takes 8 bytes, twice what the 2-pixel rows hold
        {"width beyond the rows", 18, 5, 0},
    };
    for (const auto& c : cases) {
        std::string bytes = TwoByTwoDib();
        if (c.keep != 0) {
            bytes.resize(c.keep);
        } else if (c.at == 28) {
            bytes[28] = static_cast<char>(c.value);
        } else {
            Put32(bytes, c.at, c.value);
        }
        const Picture dib = MakePicture(1, bytes);
        platform::ItemSurface surface(4, 4);
        EXPECT_FALSE(DrawDIB(surface.DrawContext(), {0, 0, 3, 3}, dib)) << c.what;
        EXPECT_EQ(surface.Pixels(), std::vector<std::uint32_t>(16, kWhite)) << c.what;
    }
}

// The start of a bitmap file image: file header and a 40-byte-or-longer info header.
std::string BitmapStart(std::uint32_t headerSize, std::int32_t width, std::uint16_t bitCount,
                        std::uint32_t compression, std::uint32_t coloursUsed, std::size_t rest) {
    std::string bytes(14 + headerSize + rest, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    Put32(bytes, 14, headerSize);
    Put32(bytes, 18, static_cast<std::uint32_t>(width));
    Put32(bytes, 22, 1);
    bytes[26] = 1;
    bytes[28] = static_cast<char>(bitCount);
    Put32(bytes, 30, compression);
    Put32(bytes, 46, coloursUsed);
    return bytes;
}

// One colour in the table of an 8-bit picture: a pixel of index 255 must not read the 254
// entries that are not there. What GDI draws for it is its own; the pixel in the table is red.
TEST_F(PicturesTest, IndexPastAShortColourTableReadsNothingBeyondIt) {
    std::string bytes = BitmapStart(40, 2, 8, 0, 1, 4 + 4);
    Put32(bytes, 10, 14 + 40 + 4);
    Put32(bytes, 54, 0x00FF0000u);
    bytes[58] = 0;
    bytes[59] = static_cast<char>(255);
    const Picture dib = MakePicture(1, bytes);
    platform::ItemSurface surface(2, 1);
    ASSERT_TRUE(DrawDIB(surface.DrawContext(), {0, 0, 0, 1}, dib));
    EXPECT_EQ(surface.Pixels()[0], R);
}

// Colour masks follow a 40-byte header or are part of a header of 52 bytes and more; a 44-byte
// header leaves them nowhere, and the picture is refused rather than its masks read from the
// pixels and beyond.
TEST_F(PicturesTest, MasksWithoutRoomInTheHeaderDrawNothing) {
    std::string bytes = BitmapStart(44, 1, 32, 3, 0, 4);
    Put32(bytes, 10, 14 + 44);
    const Picture dib = MakePicture(1, bytes);
    platform::ItemSurface surface(2, 2);
    EXPECT_FALSE(DrawDIB(surface.DrawContext(), {0, 0, 1, 1}, dib));
    EXPECT_EQ(surface.Pixels(), std::vector<std::uint32_t>(4, kWhite));
}

// Neither side of a bitmap may pass 16384 pixels, whatever rows it brings: the item is then
// left white rather than a picture of a size no banner has drawn.
TEST_F(PicturesTest, BitmapSidesEndAt16384) {
    const struct {
        std::int32_t width;
        std::int32_t height;
        bool drawn;
    } cases[] = {
        {16384, 1, true},  {16385, 1, false}, {1, 16384, true},
        {1, 16385, false}, {1, -16384, true}, {1, -16385, false},
    };
    for (const auto& c : cases) {
        const std::size_t rowBytes = (static_cast<std::size_t>(c.width) + 3) & ~std::size_t{3};
        const std::size_t rows = static_cast<std::size_t>(std::abs(c.height));
        std::string bytes = BitmapStart(40, c.width, 8, 0, 1, 4 + rowBytes * rows);
        Put32(bytes, 10, 14 + 40 + 4);
        Put32(bytes, 22, static_cast<std::uint32_t>(c.height));
        Put32(bytes, 54, 0x00FF0000u);
        const Picture dib = MakePicture(1, bytes);
        platform::ItemSurface surface(2, 2);
        EXPECT_EQ(DrawDIB(surface.DrawContext(), {0, 0, 1, 1}, dib), c.drawn)
            << c.width << " by " << c.height;
        EXPECT_EQ(surface.Pixels() == std::vector<std::uint32_t>(4, kWhite), !c.drawn)
            << c.width << " by " << c.height;
    }
}

// A picture of 16 bits and more may carry a table of up to 256 colours for the screen's sake; one
// that claims more is refused, at every depth, rather than its table read into the pixels.
TEST_F(PicturesTest, TablesOfMoreThan256ColoursBeyondEightBitsDrawNothing) {
    for (const std::uint16_t bitCount : {16, 24, 32}) {
        for (const std::uint32_t colours : {256u, 257u}) {
            std::string bytes = BitmapStart(40, 1, bitCount, 0, colours, colours * 4 + 4);
            Put32(bytes, 10, 14 + 40 + colours * 4);
            const Picture dib = MakePicture(1, bytes);
            platform::ItemSurface surface(2, 2);
            EXPECT_EQ(DrawDIB(surface.DrawContext(), {0, 0, 1, 1}, dib), colours == 256)
                << bitCount << " bits, " << colours << " colours";
        }
    }
}

TEST_F(PicturesTest, DamagedJpegAndPngAreRefused) {
    const std::string jpeg = ReadData("red_8x4.jpg");
    const std::string png = ReadData("blue_5x3.png");
    std::string hugeJpeg = jpeg;
    // The first frame header's height and width: 60000 × 60000.
    const std::size_t frame = hugeJpeg.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    hugeJpeg.replace(frame + 5, 4, "\xEA\x60\xEA\x60");
    std::string hugePng = png;
    hugePng.replace(16, 4, std::string("\x00\x01\x86\xA0", 4));  // width 100000
    const struct {
        const char* what;
        std::int32_t type;
        std::string bytes;
    } cases[] = {
        {"jpeg cut in half", 4, jpeg.substr(0, jpeg.size() / 2)},
        {"jpeg header only", 4, jpeg.substr(0, 20)},
        {"jpeg huge", 4, hugeJpeg},
        {"png cut in half", 8, png.substr(0, png.size() / 2)},
        {"png signature only", 8, png.substr(0, 8)},
        {"png huge", 8, hugePng},
        {"garbage as jpeg", 4, std::string(64, '\x5A')},
        {"jpeg called png", 8, "\xFF\xD8\xFF"},
    };
    const ScratchFolder scratch;
    for (const auto& c : cases) {
        const Picture source = MakePicture(0, c.bytes);
        GSHandle result = nullptr;
        EXPECT_FALSE(ConvertByMime(c.type, source.handle, 1, &result)) << c.what;
        EXPECT_EQ(result, nullptr) << c.what;
        EXPECT_FALSE(ConvertToDIB(c.type, source.handle, &result)) << c.what;
        EXPECT_EQ(result, nullptr) << c.what;

        // From a file: nothing is loaded, as a bitmap or, for a PNG, which is always converted,
        // as it is.
        const std::string path = scratch.Utf8() + (c.type == 8 ? "/banner.png" : "/banner.jpg");
        std::ofstream(path, std::ios::binary) << c.bytes;
        const NX_Location location(platform::LocationTextFromNativePath(path).c_str());
        for (const bool asDIB : {true, false}) {
            if (c.type == 8 || asDIB) {
                Picture picture;
                EXPECT_FALSE(LoadImageFile(location, picture, asDIB)) << c.what;
                EXPECT_EQ(picture.handle, nullptr) << c.what;
            }
        }
    }
}

// Pictures are decoded on the host's main thread: one of more pixels than the limit is refused
// before the host is asked to decode it; one at the limit is handed to the host.
TEST_F(PicturesTest, PicturesBeyondThePixelLimitAreNeverDecoded) {
    std::array<void*, kImportedTableSize / sizeof(void*)> table{};
    std::memcpy(table.data(), host::FunctionTable(), kImportedTableSize);
    void*& goodies = table[static_cast<std::size_t>(ACAPI::Slot::Goodies)];
    hostGoodies = reinterpret_cast<ACAPI::RequestFn>(goodies);
    goodies = reinterpret_cast<void*>(&CountingGoodies);
    HostInterface::SetFunctionTable(table.data());
    const ScratchFolder scratch;
    const struct {
        std::uint32_t width;
        std::uint32_t height;
        bool handedOver;
    } cases[] = {
        {2048, 2048, true},
        {4096, 1024, true},
        {2049, 2048, false},
        {4097, 1025, false},
    };
    for (const auto& c : cases) {
        const std::string path = scratch.Utf8() + "/banner.png";
        std::ofstream(path, std::ios::binary) << BlackAndWhitePng(c.width, c.height);
        conversions = 0;
        Picture picture;
        const NX_Location location(platform::LocationTextFromNativePath(path).c_str());
        const bool loaded = LoadImageAsDIB(location, picture);
        EXPECT_EQ(conversions > 0, c.handedOver) << c.width << " x " << c.height;
        if (!c.handedOver) {
            EXPECT_FALSE(loaded) << c.width << " x " << c.height;
            EXPECT_FALSE(LoadImageFile(location, picture, false)) << c.width << " x " << c.height;
        }
    }
    HostInterface::SetFunctionTable(host::FunctionTable());
}

}  // namespace

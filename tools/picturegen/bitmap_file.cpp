#include "bitmap_file.h"

#include <cstdint>
#include <stdexcept>

namespace picturegen {
namespace {

constexpr std::size_t kPaletteSize = 256;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

std::vector<Colour> Palette(const std::vector<Colour>& namedColours) {
    std::vector<Colour> palette = namedColours;
    for (int red = 0; red < 6; ++red) {
        for (int green = 0; green < 6; ++green) {
            for (int blue = 0; blue < 6; ++blue) {
                palette.push_back({static_cast<std::uint8_t>(red * 51),
                                   static_cast<std::uint8_t>(green * 51),
                                   static_cast<std::uint8_t>(blue * 51)});
            }
        }
    }
    // Greys between the cube's steps, for the soft edges of black text on white.
    for (int level = 1; palette.size() < kPaletteSize; ++level) {
        const auto grey = static_cast<std::uint8_t>(level * 255 / 41);
        palette.push_back({grey, grey, grey});
    }
    if (palette.size() > kPaletteSize) {
        throw std::runtime_error("a picture names more than " + std::to_string(kPaletteSize - 216) +
                                 " colours");
    }
    return palette;
}

std::uint8_t Nearest(const std::vector<Colour>& palette, Colour colour) {
    std::size_t best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int red = palette[i].red - colour.red;
        const int green = palette[i].green - colour.green;
        const int blue = palette[i].blue - colour.blue;
        const int distance = red * red + green * green + blue * blue;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

void Put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8 & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::string EightBitBitmapFile(const Canvas& canvas, const std::vector<Colour>& namedColours) {
    const std::vector<Colour> palette = Palette(namedColours);
    const auto width = static_cast<std::uint32_t>(canvas.Width());
    const auto height = static_cast<std::uint32_t>(canvas.Height());
    const std::uint32_t stride = (width + 3) / 4 * 4;
    const auto pixelOffset =
        static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + kPaletteSize * 4);
    const std::uint32_t imageSize = stride * height;

    std::string out = "BM";
    Put32(out, pixelOffset + imageSize);
    Put32(out, 0);
    Put32(out, pixelOffset);
    Put32(out, kInfoHeaderSize);
    Put32(out, width);
    Put32(out, height);  // positive: the bottom row comes first
    Put16(out, 1);       // planes
    Put16(out, 8);       // bits per pixel
    Put32(out, 0);       // no compression
    Put32(out, imageSize);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPaletteSize);  // colours used
    Put32(out, 0);             // all colours are important
    for (const Colour& colour : palette) {
        out.push_back(static_cast<char>(colour.blue));
        out.push_back(static_cast<char>(colour.green));
        out.push_back(static_cast<char>(colour.red));
        out.push_back('\0');
    }
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            out.push_back(static_cast<char>(Nearest(palette, canvas.At(x, y))));
        }
        out.append(stride - width, '\0');
    }
    return out;
}

}  // namespace picturegen

// Decoding of JPEG and PNG data into plain pixels, for the host's picture conversions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, red first, rows top-down
};

// The largest side and the most pixels accepted: bigger images are refused from their header,
// before their pixels are allocated. A banner or a dialog picture is far smaller; the pixel cap
// keeps the decoded pixels and the bitmap made of them to 48 MiB each.
constexpr int kMaxDecodedSide = 16384;
constexpr std::uint64_t kMaxDecodedPixels = std::uint64_t{4096} * 4096;

constexpr bool IsDecodableSize(std::uint64_t width, std::uint64_t height) {
    return width > 0 && height > 0 && width <= kMaxDecodedSide && height <= kMaxDecodedSide &&
           width * height <= kMaxDecodedPixels;
}

// False for data that is not a whole, readable JPEG or PNG image; never crashes on garbage.
[[nodiscard]] bool DecodeImage(const std::uint8_t* data, std::size_t size, DecodedImage& image);
// The size from the image's header alone.
[[nodiscard]] bool ReadImageSize(const std::uint8_t* data, std::size_t size, int& width,
                                 int& height);

}  // namespace platform

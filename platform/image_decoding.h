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

// The largest side accepted: bigger images are refused before their pixels are allocated.
constexpr int kMaxDecodedSide = 16384;

// False for data that is not a whole, readable JPEG or PNG image; never crashes on garbage.
bool DecodeImage(const std::uint8_t* data, std::size_t size, DecodedImage& image);
// The size from the image's header alone.
bool ReadImageSize(const std::uint8_t* data, std::size_t size, int& width, int& height);

}  // namespace platform

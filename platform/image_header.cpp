#include "platform/image_header.h"

namespace platform {

namespace {

std::uint32_t Big16(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} << 8 | bytes[1];
}

std::uint32_t Big32(const std::uint8_t* bytes) {
    return Big16(bytes) << 16 | Big16(bytes + 2);
}

// Markers C0 to CF are frames, except C4 (Huffman tables), C8 (reserved) and CC (arithmetic
// conditioning).
bool IsStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool StandsAlone(std::uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

bool ReadJpegSize(const std::uint8_t* data, std::size_t size, std::uint32_t& width,
                  std::uint32_t& height) {
    std::size_t at = 2;  // after the start-of-image marker
    while (at + 1 < size) {
        if (data[at] != 0xFF) {
            return false;
        }
        const std::uint8_t marker = data[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        at += 2;
        if (StandsAlone(marker)) {
            continue;
        }
        // Image data or the end before any frame: no size to read.
        if (marker == 0xDA || marker == 0xD9 || at + 2 > size) {
            return false;
        }
        const std::size_t length = Big16(data + at);
        if (length < 2 || length > size - at) {
            return false;
        }
        if (IsStartOfFrame(marker)) {
            if (length < 8) {
                return false;
            }
            height = Big16(data + at + 3);
            width = Big16(data + at + 5);
            return true;
        }
        at += length;
    }
    return false;
}

bool ReadPngSize(const std::uint8_t* data, std::size_t size, std::uint32_t& width,
                 std::uint32_t& height) {
    // The signature, then the IHDR chunk: its length, its type, width and height.
    constexpr std::uint8_t kIhdr[] = {'I', 'H', 'D', 'R'};
    if (size < 24 || Big32(data + 8) < 8) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        if (data[12 + i] != kIhdr[i]) {
            return false;
        }
    }
    width = Big32(data + 16);
    height = Big32(data + 20);
    return true;
}

}  // namespace

bool ReadHeaderSize(const std::uint8_t* data, std::size_t size, std::uint32_t& width,
                    std::uint32_t& height) {
    constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) {
        return ReadJpegSize(data, size, width, height);
    }
    if (size >= 8) {
        bool png = true;
        for (int i = 0; i < 8; ++i) {
            png = png && data[i] == kPngSignature[i];
        }
        if (png) {
            return ReadPngSize(data, size, width, height);
        }
    }
    return false;
}

}  // namespace platform

// Compares a dialog's picture with its reference picture, with room for small differences of
// glyph edges between font engine versions:
//   velmora-compare-png EXPECTED.png ACTUAL.png MAX_CHANNEL_DIFFERENCE MAX_DIFFERING_PIXELS
// Succeeds when both have the same size and at most MAX_DIFFERING_PIXELS pixels differ in some
// channel by more than MAX_CHANNEL_DIFFERENCE.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/image_decoding.h"

namespace {

bool Read(const char* path, platform::DecodedImage& image) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>()};
    return !bytes.empty() && platform::DecodeImage(bytes.data(), bytes.size(), image);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s EXPECTED ACTUAL MAX_CHANNEL_DIFFERENCE MAX_PIXELS\n",
                     argv[0]);
        return 2;
    }
    platform::DecodedImage expected;
    platform::DecodedImage actual;
    if (!Read(argv[1], expected) || !Read(argv[2], actual)) {
        std::fprintf(stderr, "cannot read %s or %s as a PNG image\n", argv[1], argv[2]);
        return 1;
    }
    if (expected.width != actual.width || expected.height != actual.height) {
        std::fprintf(stderr, "size %dx%d, expected %dx%d\n", actual.width, actual.height,
                     expected.width, expected.height);
        return 1;
    }
    const int tolerance = std::atoi(argv[3]);
    const long allowed = std::atol(argv[4]);
    long differing = 0;
    int largest = 0;
    for (std::size_t pixel = 0; pixel * 3 < expected.rgb.size(); ++pixel) {
        int difference = 0;
        for (std::size_t channel = 0; channel < 3; ++channel) {
            difference = std::max(difference, std::abs(expected.rgb[3 * pixel + channel] -
                                                       actual.rgb[3 * pixel + channel]));
        }
        largest = std::max(largest, difference);
        differing += difference > tolerance ? 1 : 0;
    }
    std::printf(
        "%ld pixels differ by more than %d (at most %ld may), the largest difference is %d\n",
        differing, tolerance, allowed, largest);
    return differing <= allowed ? 0 : 1;
}

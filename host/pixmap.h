// A picture as the host's dialog drawing handles it: what is drawn, read from resources and
// written to PNG files.
#pragma once

#include <cstdint>
#include <vector>

namespace host {

// Pixels 0xAARRGGBB, rows top-down.
struct Pixmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

}  // namespace host

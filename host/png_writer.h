// PNG encoding of a picture, by the system's image library: libpng on Linux, the Windows
// Imaging Component on Windows.
#pragma once

#include <cstdint>
#include <vector>

#include "host/pixmap.h"

namespace host {

// The PNG file's bytes (8-bit RGBA, not interlaced); empty when the encoder fails.
std::vector<std::uint8_t> EncodePng(const Pixmap& picture);

}  // namespace host

// The icons and bitmaps of a module's resources as pictures.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/pixmap.h"

namespace host {

// A bitmap file image (or a bare bitmap with its information header first) of 1, 4, 8, 16, 24
// or 32 bits a pixel, uncompressed or with colour masks. Empty for anything else, or for data
// shorter than it claims.
Pixmap PixmapOfBitmap(const std::uint8_t* data, std::size_t size);

}  // namespace host

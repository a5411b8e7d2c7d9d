// The canvas as a 256-colour bitmap file image: the 14-byte file header, the 40-byte information
// header, 256 palette entries and the rows bottom-up, each padded to four bytes. This is the
// form in which the host hands out icon and bitmap resources and the form of a DIB handle.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace picturegen {

// `namedColours` come first in the palette and stay exact; the rest is a colour cube and greys.
std::string EightBitBitmapFile(const Canvas& canvas, const std::vector<Colour>& namedColours);

}  // namespace picturegen

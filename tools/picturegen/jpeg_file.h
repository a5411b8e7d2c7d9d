// The canvas as a baseline JPEG file, for pictures that a web server hands out (the banner of
// the update window).
#pragma once

#include <string>

#include "canvas.h"

namespace picturegen {

std::string JpegFile(const Canvas& canvas);

}  // namespace picturegen

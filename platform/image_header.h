// The size an image's header states, read from the bytes alone with every offset checked.
// Windows' imaging component decodes a whole JPEG as soon as it opens it (under Wine, into a
// buffer sized from the header), so sizes are checked here before it sees the data.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// The width and height of the first frame of a JPEG (its first start-of-frame segment) or of a
// PNG (its IHDR chunk); false when the bytes hold no such header.
[[nodiscard]] bool ReadHeaderSize(const std::uint8_t* data, std::size_t size, std::uint32_t& width,
                                  std::uint32_t& height);

}  // namespace platform

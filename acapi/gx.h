// The host's image library: what kind of image a handle holds and its pixel size.
#pragma once

#include <cstdint>

#include "ac_export.h"
#include "ac_types.h"

namespace GX {

class ImageBase {
public:
    // The picture format of the data: 1 bitmap file image, 4 JPEG, 8 PNG; 0 unknown.
    ACAPI_HOST_API static std::int32_t GetType(GSHandle data);
    // The pixel size of a bitmap file image, JPEG or PNG; false for data it cannot read.
    ACAPI_HOST_API static bool GetInfo(GSHandle data, std::int32_t* width, std::int32_t* height);
};

}  // namespace GX

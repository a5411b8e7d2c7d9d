// Records of the host's picture conversions through ACAPI_Goodies.
#pragma once

#include <cstdint>

#include "ac_types.h"

// "CPIC": par1 is the source picture, par2 the result; the result's format is asked for and
// its handle is a new host handle on success.
struct API_PictureHandle {
    std::int32_t storageFormat;
    GSHandle pictHdl;
};

// "CMPI": par1 is this record. The result handle is a new host handle on success.
struct API_MimePicture {
    const char* sourceMime;
    GSHandle sourceHandle;
    const char* targetMime;
    GSHandle targetHandle;
    std::uint8_t flags;
    std::int32_t reserved;
};

constexpr GSType kGoodiesConvertPicture = FourCharCode("CPIC");
constexpr GSType kGoodiesConvertMimePicture = FourCharCode("CMPI");

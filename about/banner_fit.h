// Where the update banner goes in its item: scaled to the item's width, or to its height when
// that is too tall, and centred.
#pragma once

#include <cstdint>

#include "about/picture.h"
#include "acapi/dg.h"

PictureRect FitBanner(const DGUserUpdateData& item, std::int32_t width, std::int32_t height);

// Resource numbers of the golden sources, in the same form as resources/resource_ids.h.
#pragma once

constexpr short kSampleStrings = 32530;  // a family: base plus language index
constexpr short kSampleDialog = 32734;
constexpr unsigned kSampleIcon = 32731;

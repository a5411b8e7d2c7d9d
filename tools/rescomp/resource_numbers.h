// Limits shared by the directives of the resource sources.
#pragma once

#include <cstdint>

namespace rescomp {

// Resource numbers are the host's 16-bit GSResID; 0 and negative numbers name nothing.
constexpr std::int64_t kSmallestResourceNumber = 1;
constexpr std::int64_t kLargestResourceNumber = 32767;

}  // namespace rescomp

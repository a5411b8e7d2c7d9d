// The hub's resources as the host hands them out, from the module that carries them.
#pragma once

#include <string>
#include <vector>

#include "acapi/ac_types.h"

namespace carried {

// The whole resource, or an empty text when the module has none.
std::string Resource(GSType type, GSResID id);

// The texts of string list `list` (string type 0), text 1 first; empty when there is no list.
std::vector<std::string> Texts(GSResID list);

}  // namespace carried

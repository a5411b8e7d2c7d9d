// The module's real entry points. The host never calls these directly: it calls the guards of
// entry_points.cpp, which refuse to run before the host's function table has arrived.
#pragma once

#include "shell/host_interface.h"

namespace Addon {

std::int32_t CheckEnvironment(API_EnvirParams* environment);
GSErrCode RegisterInterface();
GSErrCode Initialize();
GSErrCode FreeData();

}  // namespace Addon

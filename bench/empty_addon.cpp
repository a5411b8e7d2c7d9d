// The smallest module the host accepts: it registers nothing and does nothing. Start-up times
// are measured against it.
#include <cstring>

#include "shell/addon_main.h"

namespace Addon {

std::int32_t CheckEnvironment(API_EnvirParams* environment) {
    std::strcpy(environment->addOnName, "Empty");
    std::strcpy(environment->addOnDescription, "An add-on that does nothing");
    return APIAddon_Preload;
}

GSErrCode RegisterInterface() {
    return NoError;
}

GSErrCode Initialize() {
    return NoError;
}

GSErrCode FreeData() {
    return NoError;
}

}  // namespace Addon

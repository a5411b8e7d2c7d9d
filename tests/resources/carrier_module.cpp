// A module that carries the hub's string lists and dialogs and registers them with the host, as
// the hub registers its own.
#include "acapi/ac_export.h"
#include "acapi/rs.h"
#include "platform/module_self.h"

extern "C" ACAPI_MODULE_EXPORT GSResModule ResourcesCarrier_RegisterResources() {
    return RSAddModule(platform::OwnModuleHandle());
}

#include "foundation/nx_own_module.h"

#include <string>

#include "acapi/db.h"
#include "acapi/rs.h"
#include "platform/module_self.h"
#include "shell/host_interface.h"

namespace {

// Created when the system loads the module, destroyed when it unloads it.
class OwnModule {
public:
    OwnModule() : path(platform::OwnModulePath()) {
        const GSResModule previous = RSGetActiveModule();
        resources = RSAddModule(platform::OwnModuleHandle());
        RSSetActiveModule(previous);
    }
    OwnModule(const OwnModule&) = delete;
    OwnModule& operator=(const OwnModule&) = delete;
    ~OwnModule() {
        // The host unloads a module only after FreeData; a context still held means it did not.
        if (HostInterface::Context() != nullptr) {
            DBPrintf("Abnormal add-on termination (\"%s\")", path.c_str());
            DBPrintf("\n");
        }
        RSRemoveModule(resources);
    }

    GSResModule resources = 0;
    std::string path;
};

const OwnModule ownModule;

}  // namespace

GSResModule OwnResourceModule() {
    return ownModule.resources;
}

ActiveOwnResources::ActiveOwnResources() : previous(RSSetActiveModule(OwnResourceModule())) {}

ActiveOwnResources::~ActiveOwnResources() {
    RSSetActiveModule(previous);
}

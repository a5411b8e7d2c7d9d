#include "update/main_thread_handoff.h"

#include <cstring>

#include "resources/resource_ids.h"
#include "shell/host_interface.h"

namespace {

struct HandedWork {
    MainThreadWork work;
    std::int32_t state;
};

// The hub's own service: it does nothing, so only the callback below does the work.
constexpr GSType kOwnServiceCode = FourCharCode("VLMR");

void RunHandedWork(GSHandle* params, GSPtr /*resultData*/, bool /*silentMode*/) {
    if (params == nullptr || *params == nullptr) {
        return;
    }
    HandedWork handed{};
    std::memcpy(&handed, **params, sizeof handed);
    BMKillHandle(params);
    handed.work(handed.state);
}

}  // namespace

bool HandToMainThread(MainThreadWork work, std::int32_t state) {
    GSHandle params = BMAllocateHandle(sizeof(HandedWork), ALLOCATE_CLEAR, 0);
    if (params == nullptr) {
        return false;
    }
    const HandedWork handed{work, state};
    std::memcpy(*params, &handed, sizeof handed);
    const API_ModulID self{resource_ids::kSuiteDeveloperId, resource_ids::kHubLocalId};
    if (HostInterface::CommandCallFromEventLoop(&self, kOwnServiceCode, 0, params, true,
                                                &RunHandedWork) != NoError) {
        BMKillHandle(&params);
        return false;
    }
    return true;
}

// Commands between modules: a command reaches the module with the given identity when it both
// registered the service and installed a handler for it.
#include <algorithm>
#include <memory>
#include <utility>

#include "acapi/gs_memory.h"

#include "host/addon_registry.h"
#include "host/host_faults.h"
#include "host/host_operations.h"
#include "host/main_thread_queue.h"

namespace host {

namespace {

bool Matches(const CommandRecord& record, GSType code, std::int32_t version) {
    return record.code == code && record.version == version;
}

// The handler for the command, or null with `error` set. Two editions of one tool share an
// identity: the command reaches the first loaded module of that identity that offers it.
APIModulCommandProc FindHandler(const API_ModulID* module, GSType code, std::int32_t version,
                                GSErrCode* error) {
    const auto matches = [&](const CommandRecord& r) { return Matches(r, code, version); };
    *error = APIERR_MODULNOTINSTALLED;
    if (module == nullptr) {
        return nullptr;
    }
    for (const LoadedAddon* addon : AddonsWithId(*module)) {
        const auto handler = std::ranges::find_if(addon->commandHandlers, matches);
        if (std::ranges::any_of(addon->services, matches) &&
            handler != addon->commandHandlers.end()) {
            *error = NoError;
            return handler->handler;
        }
        *error = APIERR_MODULCMDNOTSUPPORTED;
    }
    return nullptr;
}

// The parameters of a queued command are the host's until the callback receives them: a
// command dropped with its module gives them back.
struct QueuedParameters {
    explicit QueuedParameters(GSHandle params) : handle(params) {}
    QueuedParameters(const QueuedParameters&) = delete;
    QueuedParameters& operator=(const QueuedParameters&) = delete;
    ~QueuedParameters() {
        if (handle != nullptr) {
            BMKillHandle(&handle);
        }
    }
    GSHandle handle;
};

}  // namespace

GSErrCode CommandTest(API_AddonContext /*context*/, const API_ModulID* module, GSType cmdID,
                      std::int32_t cmdVersion) {
    if (NextAnswer(HostOperation::CommandTest) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    GSErrCode error = NoError;
    FindHandler(module, cmdID, cmdVersion, &error);
    return error;
}

GSErrCode CommandCall(API_AddonContext /*context*/, const API_ModulID* module, GSType cmdID,
                      std::int32_t cmdVersion, GSHandle params, GSPtr resultData, bool silentMode) {
    switch (NextAnswer(HostOperation::CommandCall)) {
        case HostAnswer::Failure:
            return APIERR_GENERAL;
        case HostAnswer::Odd:
            return NoError;  // the module is not reached: the result area stays as it was
        case HostAnswer::Usual:
            break;
    }
    GSErrCode error = NoError;
    const APIModulCommandProc handler = FindHandler(module, cmdID, cmdVersion, &error);
    return handler != nullptr ? handler(params, resultData, silentMode) : error;
}

// Any thread may call: the command waits in the queue for the main loop, which makes the call
// and then hands the parameters to the callback. A command that no module answers, for this
// identity, code and version, is not made: its callback is not called either, and the
// parameters go back.
GSErrCode CommandCallFromEventLoop(API_AddonContext context, const API_ModulID* module,
                                   GSType cmdID, std::int32_t cmdVersion, GSHandle params,
                                   bool silentMode, APICommandCallBackProc callback) {
    if (NextAnswer(HostOperation::CommandCallFromEventLoop) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    if (module == nullptr) {
        return APIERR_BADPARS;
    }
    const API_ModulID target = *module;
    auto queued = std::make_shared<QueuedParameters>(params);
    PostToMainThread(context, [=] {
        GSErrCode error = NoError;
        const APIModulCommandProc handler = FindHandler(&target, cmdID, cmdVersion, &error);
        if (handler == nullptr) {
            return;
        }
        GSHandle callParams = std::exchange(queued->handle, nullptr);
        handler(callParams, nullptr, silentMode);
        if (callback != nullptr) {
            callback(&callParams, nullptr, silentMode);
        } else {
            BMKillHandle(&callParams);
        }
    });
    return NoError;
}

}  // namespace host

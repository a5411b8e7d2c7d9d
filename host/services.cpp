// Services, command handlers, keeping in memory and modeless windows: what a module offers to
// other modules and to the host's window management.
#include <algorithm>

#include "host/addon_registry.h"
#include "host/host_control.h"
#include "host/host_faults.h"
#include "host/host_operations.h"

namespace host {

GSErrCode RegisterSupportedService(GSType cmdID, std::int32_t cmdVersion) {
    if (NextAnswer(HostOperation::RegisterSupportedService) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    LoadedAddon* addon = RegisteringAddon();
    if (addon == nullptr) {
        return APIERR_GENERAL;
    }
    addon->services.push_back({cmdID, cmdVersion, nullptr});
    return NoError;
}

GSErrCode InstallModulCommandHandler(API_AddonContext context, GSType cmdID,
                                     std::int32_t cmdVersion, APIModulCommandProc handler) {
    if (NextAnswer(HostOperation::InstallModulCommandHandler) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    LoadedAddon* addon = AddonOfContext(context);
    if (addon == nullptr || handler == nullptr) {
        return APIERR_BADPARS;
    }
    auto& handlers = addon->commandHandlers;
    const auto same = [&](const CommandRecord& r) {
        return r.code == cmdID && r.version == cmdVersion;
    };
    if (const auto found = std::ranges::find_if(handlers, same); found != handlers.end()) {
        found->handler = handler;
    } else {
        handlers.push_back({cmdID, cmdVersion, handler});
    }
    return NoError;
}

GSErrCode KeepInMemory(API_AddonContext context, bool keepIn) {
    if (NextAnswer(HostOperation::KeepInMemory) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    LoadedAddon* addon = AddonOfContext(context);
    if (addon == nullptr) {
        return APIERR_BADPARS;
    }
    addon->keepInMemory = keepIn;
    return NoError;
}

GSErrCode RegisterModelessWindow(API_AddonContext context, std::int32_t referenceID,
                                 APIPaletteControlCallBackProc callback, GSFlags controlFlags,
                                 const API_Guid* /*guid*/) {
    if (NextAnswer(HostOperation::RegisterModelessWindow) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    LoadedAddon* addon = AddonOfContext(context);
    if (addon == nullptr || callback == nullptr) {
        return APIERR_BADPARS;
    }
    std::erase_if(addon->windows,
                  [&](const WindowRecord& w) { return w.referenceID == referenceID; });
    addon->windows.push_back({referenceID, callback, controlFlags});
    return NoError;
}

GSErrCode UnregisterModelessWindow(API_AddonContext context, std::int32_t referenceID) {
    if (NextAnswer(HostOperation::UnregisterModelessWindow) == HostAnswer::Failure) {
        return APIERR_GENERAL;
    }
    LoadedAddon* addon = AddonOfContext(context);
    if (addon == nullptr) {
        return APIERR_BADPARS;
    }
    const auto removed = std::erase_if(
        addon->windows, [&](const WindowRecord& w) { return w.referenceID == referenceID; });
    return removed != 0 ? NoError : APIERR_BADID;
}

std::vector<ModelessWindowInfo> RegisteredModelessWindows() {
    std::vector<ModelessWindowInfo> windows;
    for (const auto& addon : LoadedAddons()) {
        for (const WindowRecord& window : addon->windows) {
            windows.push_back(
                {addon->name, window.referenceID, window.callback, window.controlFlags});
        }
    }
    return windows;
}

// From a copy: a window may unregister itself while it handles the message. A window
// registered without a callback does not take part.
void SendToModelessWindows(std::int32_t messageID) {
    for (const ModelessWindowInfo& window : RegisteredModelessWindows()) {
        if (window.callback != nullptr) {
            window.callback(window.referenceID, messageID, 0);
        }
    }
}

}  // namespace host

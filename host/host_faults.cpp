#include "host/host_faults.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <mutex>

namespace host {

namespace {

struct Named {
    const char* name;
    HostOperation operation;
    GSType requestCode;  // 0: not a request
    bool hasOddAnswer;
};

// The host's own names; a request by its code.
constexpr Named kOperations[] = {
    {"ACAPI_Register_Menu", HostOperation::RegisterMenu, 0, false},
    {"ACAPI_Register_SupportedService", HostOperation::RegisterSupportedService, 0, false},
    {"ACAPI_Register_BuiltInLibrary", HostOperation::RegisterBuiltInLibrary, 0, false},
    {"ACAPI_Install_ModulCommandHandler", HostOperation::InstallModulCommandHandler, 0, false},
    {"ACAPI_Install_MenuHandler", HostOperation::InstallMenuHandler, 0, false},
    {"ACAPI_KeepInMemory", HostOperation::KeepInMemory, 0, false},
    {"ACAPI_RegisterModelessWindow", HostOperation::RegisterModelessWindow, 0, false},
    {"ACAPI_UnregisterModelessWindow", HostOperation::UnregisterModelessWindow, 0, false},
    {"APPL", HostOperation::ApplicationRequest, FourCharCode("APPL"), false},
    {"GMIF", HostOperation::GetMenuItemFlags, FourCharCode("GMIF"), false},
    {"SMIF", HostOperation::SetMenuItemFlags, FourCharCode("SMIF"), false},
    {"SMIT", HostOperation::SetMenuItemText, FourCharCode("SMIT"), false},
    {"AMIT", HostOperation::SetMenuItemSecondText, FourCharCode("AMIT"), false},
    {"CPIC", HostOperation::ConvertPicture, FourCharCode("CPIC"), true},
    {"CMPI", HostOperation::ConvertMimePicture, FourCharCode("CMPI"), true},
    {"RBLD", HostOperation::RebuildRequest, FourCharCode("RBLD"), false},
    {"ACAPI_LibPart_Search", HostOperation::LibPartSearch, 0, true},
    {"ACAPI_LibPart_Get", HostOperation::LibPartGet, 0, true},
    {"ACAPI_Command_Test", HostOperation::CommandTest, 0, false},
    {"ACAPI_Command_Call", HostOperation::CommandCall, 0, true},
    {"ACAPI_Command_CallFromEventLoop", HostOperation::CommandCallFromEventLoop, 0, false},
    {"ACAPI_GetOwnLocation", HostOperation::GetOwnLocation, 0, true},
    {"DGModelessInit", HostOperation::ModelessInit, 0, false},
    {"DGModalDialog", HostOperation::ModalDialog, 0, false},
    {"GetSpecialLocation", HostOperation::SpecialLocation, 0, false},
    {"RSGetIndString", HostOperation::IndString, 0, false},
    {"GetInfo", HostOperation::ImageInfo, 0, false},
};
constexpr std::size_t kCount = std::size(kOperations);

struct Faults {
    std::mutex mutex;
    std::array<std::int64_t, kCount> calls{};
    std::array<std::int64_t, kCount> answeringCall{};  // counted from `calls`; 0 none
    std::array<HostAnswer, kCount> answer{};
};

Faults& TheFaults() {
    static Faults faults;
    return faults;
}

// Download threads hand their work over through the host too, so any thread may ask.
HostAnswer Take(std::size_t index) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    ++faults.calls[index];
    if (faults.answeringCall[index] == 0 || faults.calls[index] != faults.answeringCall[index]) {
        return HostAnswer::Usual;
    }
    faults.answeringCall[index] = 0;
    return faults.answer[index];
}

}  // namespace

HostAnswer NextAnswer(HostOperation operation) {
    const auto* named = std::ranges::find(kOperations, operation, &Named::operation);
    return Take(static_cast<std::size_t>(named - std::begin(kOperations)));
}

HostAnswer NextRequestAnswer(GSType code) {
    const auto* named = std::ranges::find(kOperations, code, &Named::requestCode);
    return named != std::end(kOperations) && code != 0
               ? Take(static_cast<std::size_t>(named - std::begin(kOperations)))
               : HostAnswer::Usual;
}

bool SetHostAnswer(const std::string& operation, std::int64_t call, HostAnswer answer) {
    const auto* named = std::ranges::find_if(
        kOperations, [&](const Named& entry) { return operation == entry.name; });
    if (named == std::end(kOperations) || call < 1 ||
        (answer == HostAnswer::Odd && !named->hasOddAnswer)) {
        return false;
    }
    const auto index = static_cast<std::size_t>(named - std::begin(kOperations));
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    faults.answeringCall[index] = faults.calls[index] + call;
    faults.answer[index] = answer;
    return true;
}

void ClearHostAnswers() {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    faults.answeringCall = {};
}

std::vector<std::string> HostOperationNames() {
    std::vector<std::string> names;
    for (const Named& entry : kOperations) {
        names.emplace_back(entry.name);
    }
    return names;
}

}  // namespace host

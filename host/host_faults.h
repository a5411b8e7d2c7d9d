// The answers a program running the host asks its operations to give (host_control.h), as the
// operations see them: each call of a module is counted and asks which answer it is to give.
#pragma once

#include "host/host_control.h"

namespace host {

enum class HostOperation : int {
    RegisterMenu,
    RegisterSupportedService,
    RegisterBuiltInLibrary,
    InstallModulCommandHandler,
    InstallMenuHandler,
    KeepInMemory,
    RegisterModelessWindow,
    UnregisterModelessWindow,
    ApplicationRequest,     // ACAPI_Environment "APPL"
    GetMenuItemFlags,       // ACAPI_Interface "GMIF"
    SetMenuItemFlags,       // "SMIF"
    SetMenuItemText,        // "SMIT"
    SetMenuItemSecondText,  // "AMIT"
    ConvertPicture,         // ACAPI_Goodies "CPIC"
    ConvertMimePicture,     // "CMPI"
    RebuildRequest,         // ACAPI_Automate "RBLD"
    LibPartSearch,
    LibPartGet,
    CommandTest,
    CommandCall,
    CommandCallFromEventLoop,
    GetOwnLocation,
    ModelessInit,
    ModalDialog,
    SpecialLocation,
    IndString,
    ImageInfo,
};

// Counts one call of the operation; the answer this call is to give.
HostAnswer NextAnswer(HostOperation operation);
// The same for the operation behind a request code of ACAPI_Environment, _Interface, _Goodies or
// _Automate; a code of none of them gives its usual answer.
HostAnswer NextRequestAnswer(GSType code);

}  // namespace host

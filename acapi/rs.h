// The host's resource manager.
#pragma once

#include <cstdint>

#include "ac_export.h"
#include "ac_types.h"

// Resource types, as four-character codes.
constexpr GSType kResTypeStringList = FourCharCode("STRS");     // string type 0
constexpr GSType kResTypeStringListAlt = FourCharCode("STRL");  // string type 1
constexpr GSType kResTypeModuleId = FourCharCode("MDID");
constexpr GSType kResTypeDialog = FourCharCode("GDLG");
constexpr GSType kResTypeDialogHelp = FourCharCode("DLGH");
constexpr GSType kResTypeIcon = FourCharCode("GICN");
constexpr GSType kResTypeBitmap = FourCharCode("GBMP");
constexpr GSType kResTypeFolderList = FourCharCode("FLDR");
constexpr GSType kResTypeFile = FourCharCode("FILE");

extern "C" {
// Registers the resources of a loaded module (its HMODULE, or its dlopen handle).
ACAPI_HOST_API GSResModule RSAddModule(void* moduleInstance);
ACAPI_HOST_API void RSRemoveModule(GSResModule module);
ACAPI_HOST_API GSResModule RSGetActiveModule();
// Makes `module` active and answers the module that was active before.
ACAPI_HOST_API GSResModule RSSetActiveModule(GSResModule module);
// Text `index` (1-based) of string list `listId` into `buffer`, zero-terminated and cut to fit.
// False when the list or the text does not exist; the buffer is then left as it was.
ACAPI_HOST_API bool RSGetIndString_ParamAdapter(char* buffer, std::int32_t bufferSize,
                                                GSResID listId, std::int32_t index,
                                                GSResModule module, std::int32_t stringType);
// A copy of a whole resource in a new handle (the caller kills it), or null.
ACAPI_HOST_API GSHandle RSLoadResource(GSType type, GSResModule module, GSResID id);
}

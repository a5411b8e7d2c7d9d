// The host's file type manager: file types that modules register under a manager's name and that
// the system's file dialog offers as its filters (dg.h, DGFileDialog).
#pragma once

#include <cstdint>

#include "ac_export.h"
#include "ac_types.h"
#include "gs_unistring.h"

namespace FTM {

using TypeID = std::int32_t;
using GroupID = std::int32_t;

constexpr TypeID UnknownType = 0;
// The group every manager has; types outside any other group belong to it.
constexpr GroupID RootGroup = 0;

struct FileType {
    GS::UniString description;  // "Text Files"
    GS::UniString extension;    // without the dot: "TXT"
    GSType creator;             // four-character codes of the type
    GSType type;
    short iconId;
};

// Registers `type` with the manager named `managerName` in `group` and answers its identifier.
// The same type registered again with the same manager answers the identifier it already has.
// UnknownType when the manager's name, the description or the extension is empty.
ACAPI_HOST_API TypeID RegisterFileType(const char* managerName, GroupID group,
                                       const FileType& type);
// The type registered under `id`; false for an identifier nobody registered.
ACAPI_HOST_API bool GetFileType(TypeID id, FileType* type);

}  // namespace FTM

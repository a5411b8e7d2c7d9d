// Files of the module's built-in library, which the host offers as library parts.
#pragma once

#include "foundation/nx_location.h"

// The index of the library part named fileName without its extension, or -1.
[[nodiscard]] int NX_FindLibraryPart(const char* fileName, int typeId);
[[nodiscard]] bool NX_GetLibraryPartLocation(int index, NX_Location& out);
